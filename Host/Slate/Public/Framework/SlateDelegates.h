// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/SlateDelegates.h.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Input/Reply.h"
#include "Types/SlateEnums.h"

/** A button-like widget was clicked. */
DECLARE_DELEGATE_RetVal(FReply, FOnClicked);

/** The text of an editable text widget changed. */
DECLARE_DELEGATE_OneParam(FOnTextChanged, const FText&);

/** An editable text widget committed its text, and how. */
DECLARE_DELEGATE_TwoParams(FOnTextCommitted, const FText&, ETextCommit::Type);
