// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's XmlParser.h.
#pragma once

// Unconfirmed: the engine's module header is only known to bring in the file and node classes.
#include "XmlFile.h"
#include "XmlNode.h"
