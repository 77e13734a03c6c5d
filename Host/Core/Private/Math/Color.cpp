// Copyright Kelmora. All Rights Reserved.
#include "Math/Color.h"

const FColor FColor::Red(255, 0, 0);
const FColor FColor::Green(0, 255, 0);
