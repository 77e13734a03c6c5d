// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Internationalization/Internationalization.h: the LOCTEXT macros.
#pragma once

#include "Internationalization/Text.h"

#define NSLOCTEXT(InNamespace, InKey, InTextLiteral) FText::CreateLocalized(TEXT(InTextLiteral), TEXT(InNamespace), TEXT(InKey))
#define LOCTEXT(InKey, InTextLiteral) FText::CreateLocalized(TEXT(InTextLiteral), TEXT(LOCTEXT_NAMESPACE), TEXT(InKey))
#define INVTEXT(InTextLiteral) FText::AsCultureInvariant(FString(TEXT(InTextLiteral)))
