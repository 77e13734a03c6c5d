// Copyright Kelmora. All Rights Reserved.
#include "Math/Color.h"

const FColor FColor::Red(255, 0, 0);
const FColor FColor::Green(0, 255, 0);

const FLinearColor FLinearColor::White(1.0f, 1.0f, 1.0f, 1.0f);
const FLinearColor FLinearColor::Black(0.0f, 0.0f, 0.0f, 1.0f);
const FLinearColor FLinearColor::Transparent(0.0f, 0.0f, 0.0f, 0.0f);
