// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Serialization/JsonReader.h. The host's reader holds the whole text;
// FJsonSerializer::Deserialize parses it in one pass.
#pragma once

#include "CoreMinimal.h"
#include "Serialization/JsonTypes.h"

template <class CharType = TCHAR>
class TJsonReader
{
	static_assert(std::is_same_v<CharType, TCHAR>, "The host reads TCHAR text only");

public:
	virtual ~TJsonReader() = default;

	/** The reason the last parse failed, empty when it did not. */
	const FString& GetErrorMessage() const { return ErrorMessage; }

	/** Host only: the text to parse and the place the parse reports its error. */
	FStringView GetText() const { return FStringView(Text); }
	void SetErrorMessage(FString InMessage) { ErrorMessage = MoveTemp(InMessage); }

	explicit TJsonReader(FString InText)
		: Text(MoveTemp(InText))
	{
	}

private:
	FString Text;
	FString ErrorMessage;
};

template <class CharType = TCHAR>
class TJsonReaderFactory
{
public:
	static TSharedRef<TJsonReader<CharType>> Create(const FString& JsonString) { return MakeShared<TJsonReader<CharType>>(JsonString); }
	static TSharedRef<TJsonReader<CharType>> Create(FString&& JsonString) { return MakeShared<TJsonReader<CharType>>(MoveTemp(JsonString)); }
	static TSharedRef<TJsonReader<CharType>> CreateFromView(FStringView JsonString) { return MakeShared<TJsonReader<CharType>>(FString(JsonString.Len(), JsonString.GetData())); }
};
