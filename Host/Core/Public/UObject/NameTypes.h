// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/NameTypes.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"

enum EName
{
	NAME_None = 0,
};

/**
 * Interned name. Names that differ only in ASCII case are the same name, and the name shows the
 * spelling it was first made with, as in the engine.
 */
class FName
{
public:
	FName() = default;
	FName(EName) {}
	FName(const TCHAR* Name);
	FName(const ANSICHAR* Name);
	FName(const FString& Name);

	FString ToString() const;
	void ToString(FString& Out) const { Out = ToString(); }
	bool IsNone() const { return Index == 0; }
	bool IsValid() const { return true; }
	uint32 GetComparisonIndex() const { return Index; }

	bool operator==(const FName& Other) const { return Index == Other.Index; }
	bool operator!=(const FName& Other) const { return Index != Other.Index; }
	bool operator==(EName) const { return Index == 0; }
	/** Orders by the text without regard to case, like FName::LexicalLess. */
	bool LexicalLess(const FName& Other) const { return ToString() < Other.ToString(); }

private:
	uint32 Index = 0;
};

inline uint32 GetTypeHash(const FName& Name)
{
	return Name.GetComparisonIndex() * 2654435761u;
}
