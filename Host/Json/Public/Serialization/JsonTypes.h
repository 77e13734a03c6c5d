// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Serialization/JsonTypes.h.
#pragma once

#include "CoreMinimal.h"

enum class EJson
{
	None,
	Null,
	String,
	Number,
	Boolean,
	Array,
	Object
};

enum class EJsonToken
{
	None,
	Comma,
	CurlyOpen,
	CurlyClose,
	SquareOpen,
	SquareClose,
	Colon,
	String,
	Number,
	True,
	False,
	Null,
	Identifier
};

FORCEINLINE bool EJsonToken_IsShortValue(EJsonToken Token)
{
	return Token == EJsonToken::Number || Token == EJsonToken::True || Token == EJsonToken::False || Token == EJsonToken::Null;
}

enum class EJsonNotation
{
	ObjectStart,
	ObjectEnd,
	ArrayStart,
	ArrayEnd,
	Boolean,
	String,
	Number,
	Null,
	Error
};
