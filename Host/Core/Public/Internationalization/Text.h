// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Internationalization/Text.h. The host has one culture: a text shows its
// source string, and keeps the namespace and key it was declared with.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Templates/SharedPointer.h"

/** Localised text with namespace and key. */
class FText
{
public:
	FText()
		: Data(EmptyData())
	{
	}

	static FText FromString(const FString& String) { return FText(String, FString(), FString(), false); }
	static FText FromString(FString&& String) { return FText(MoveTemp(String), FString(), FString(), false); }
	static FText AsCultureInvariant(const FString& String) { return FromString(String); }
	static const FText& GetEmpty();

	const FString& ToString() const { return Data->Source; }
	bool IsEmpty() const { return Data->Source.IsEmpty(); }
	bool EqualTo(const FText& Other) const { return Data->Source.Equals(Other.Data->Source, ESearchCase::CaseSensitive); }
	bool IdenticalTo(const FText& Other) const { return Data == Other.Data; }

	/** Host only: builds what LOCTEXT and NSLOCTEXT build in the engine. */
	static FText CreateLocalized(const TCHAR* Source, const TCHAR* Namespace, const TCHAR* Key) { return FText(FString(Source), FString(Namespace), FString(Key), true); }

private:
	friend class FTextInspector;

	struct FData
	{
		FString Source;
		FString Namespace;
		FString Key;
		bool bLocalized = false;
	};

	FText(FString Source, FString Namespace, FString Key, bool bLocalized)
		: Data(MakeShared<FData>(FData{MoveTemp(Source), MoveTemp(Namespace), MoveTemp(Key), bLocalized}))
	{
	}

	static const TSharedRef<FData>& EmptyData();

	TSharedRef<FData> Data;
};

/** Read access to what a text was declared with (engine: Internationalization/TextNamespaceUtil and FTextInspector). */
class FTextInspector
{
public:
	static FString GetNamespace(const FText& Text) { return Text.Data->Namespace; }
	static FString GetKey(const FText& Text) { return Text.Data->Key; }
	static const FString& GetSourceString(const FText& Text) { return Text.Data->Source; }
	static bool IsLocalized(const FText& Text) { return Text.Data->bLocalized; }
};
