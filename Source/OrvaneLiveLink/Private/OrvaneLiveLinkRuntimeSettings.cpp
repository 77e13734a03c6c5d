// Copyright Kelmora. All Rights Reserved.
#include "OrvaneLiveLinkRuntimeSettings.h"
