// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Serialization/JsonWriter.h, with the engine's token-by-token layout rules.
#pragma once

#include "CoreMinimal.h"
#include "Policies/PrettyJsonPrintPolicy.h"
#include "Serialization/JsonTypes.h"

namespace UE::Json::Private
{
	/** Appends the text as a quoted JSON string: quotes, backslash and control characters escaped. */
	void AppendEscapedString(FString& Out, FStringView String);
}

/** Writes JSON text token by token into a string. */
template <class CharType = TCHAR, class PrintPolicy = TPrettyJsonPrintPolicy<CharType>>
class TJsonWriter
{
public:
	virtual ~TJsonWriter() = default;

	int32 GetIndentLevel() const { return IndentLevel; }
	bool CanWriteObjectStart() const { return CanWriteObjectWithoutIdentifier(); }

	void WriteObjectStart()
	{
		check(CanWriteObjectWithoutIdentifier());
		if (PreviousTokenWritten != EJsonToken::None)
		{
			WriteCommaIfNeeded();
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
		PrintPolicy::WriteChar(Stream, CharType('{'));
		++IndentLevel;
		Stack.Push(EJson::Object);
		PreviousTokenWritten = EJsonToken::CurlyOpen;
	}

	void WriteObjectStart(FStringView Identifier)
	{
		check(Stack.Num() > 0 && Stack.Top() == EJson::Object);
		WriteIdentifier(Identifier);
		PrintPolicy::WriteLineTerminator(Stream);
		PrintPolicy::WriteTabs(Stream, IndentLevel);
		PrintPolicy::WriteChar(Stream, CharType('{'));
		++IndentLevel;
		Stack.Push(EJson::Object);
		PreviousTokenWritten = EJsonToken::CurlyOpen;
	}

	void WriteObjectEnd()
	{
		check(Stack.Num() > 0 && Stack.Top() == EJson::Object);
		PrintPolicy::WriteLineTerminator(Stream);
		--IndentLevel;
		PrintPolicy::WriteTabs(Stream, IndentLevel);
		PrintPolicy::WriteChar(Stream, CharType('}'));
		Stack.Pop();
		PreviousTokenWritten = EJsonToken::CurlyClose;
	}

	void WriteArrayStart()
	{
		check(CanWriteValueWithoutIdentifier());
		if (PreviousTokenWritten != EJsonToken::None)
		{
			WriteCommaIfNeeded();
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
		PrintPolicy::WriteChar(Stream, CharType('['));
		++IndentLevel;
		Stack.Push(EJson::Array);
		PreviousTokenWritten = EJsonToken::SquareOpen;
	}

	void WriteArrayStart(FStringView Identifier)
	{
		check(Stack.Num() > 0 && Stack.Top() == EJson::Object);
		WriteIdentifier(Identifier);
		PrintPolicy::WriteSpace(Stream);
		PrintPolicy::WriteChar(Stream, CharType('['));
		++IndentLevel;
		Stack.Push(EJson::Array);
		PreviousTokenWritten = EJsonToken::SquareOpen;
	}

	void WriteArrayEnd()
	{
		check(Stack.Num() > 0 && Stack.Top() == EJson::Array);
		--IndentLevel;
		if (PreviousTokenWritten == EJsonToken::SquareClose || PreviousTokenWritten == EJsonToken::CurlyClose || PreviousTokenWritten == EJsonToken::String)
		{
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
		else if (PreviousTokenWritten != EJsonToken::SquareOpen)
		{
			PrintPolicy::WriteSpace(Stream);
		}
		PrintPolicy::WriteChar(Stream, CharType(']'));
		Stack.Pop();
		PreviousTokenWritten = EJsonToken::SquareClose;
	}

	/** An array element: numbers, booleans and null follow each other on one line, strings take a line each. */
	template <class FValue>
	void WriteValue(FValue Value)
	{
		check(CanWriteValueWithoutIdentifier());
		WriteCommaIfNeeded();
		if (PreviousTokenWritten == EJsonToken::SquareOpen || EJsonToken_IsShortValue(PreviousTokenWritten))
		{
			PrintPolicy::WriteSpace(Stream);
		}
		else
		{
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
		PreviousTokenWritten = WriteValueOnly(Value);
	}
	void WriteValue(FStringView Value)
	{
		check(CanWriteValueWithoutIdentifier());
		WriteCommaIfNeeded();
		PrintPolicy::WriteLineTerminator(Stream);
		PrintPolicy::WriteTabs(Stream, IndentLevel);
		PreviousTokenWritten = WriteValueOnly(Value);
	}
	void WriteValue(const FString& Value) { WriteValue(FStringView(Value)); }
	void WriteValue(const TCHAR* Value) { WriteValue(FStringView(Value)); }

	/** An object member with a scalar value, on the member's own line. */
	template <class FValue>
	void WriteValue(FStringView Identifier, FValue Value)
	{
		check(Stack.Num() > 0 && Stack.Top() == EJson::Object);
		WriteIdentifier(Identifier);
		PrintPolicy::WriteSpace(Stream);
		PreviousTokenWritten = WriteValueOnly(Value);
	}
	void WriteValue(FStringView Identifier, const FString& Value) { WriteValue<FStringView>(Identifier, FStringView(Value)); }
	void WriteValue(FStringView Identifier, const TCHAR* Value) { WriteValue<FStringView>(Identifier, FStringView(Value)); }
	template <class ElementType>
	void WriteValue(FStringView Identifier, const TArray<ElementType>& Array)
	{
		WriteArrayStart(Identifier);
		for (const ElementType& Element : Array)
		{
			WriteValue(Element);
		}
		WriteArrayEnd();
	}

	void WriteNull(FStringView Identifier) { WriteValue(Identifier, nullptr); }
	void WriteNull() { WriteValue(nullptr); }

	/** Inserts text that is already JSON. */
	void WriteRawJSONValue(FStringView Identifier, const FString& Value)
	{
		check(Stack.Num() > 0 && Stack.Top() == EJson::Object);
		WriteIdentifier(Identifier);
		PrintPolicy::WriteSpace(Stream);
		PrintPolicy::WriteString(Stream, FStringView(Value));
		PreviousTokenWritten = EJsonToken::String;
	}
	void WriteRawJSONValue(const FString& Value)
	{
		check(CanWriteValueWithoutIdentifier());
		WriteCommaIfNeeded();
		if (PreviousTokenWritten != EJsonToken::True && PreviousTokenWritten != EJsonToken::False && PreviousTokenWritten != EJsonToken::SquareOpen)
		{
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
		else
		{
			PrintPolicy::WriteSpace(Stream);
		}
		PrintPolicy::WriteString(Stream, FStringView(Value));
		PreviousTokenWritten = EJsonToken::String;
	}

	/** True when the document is complete. */
	virtual bool Close()
	{
		return (PreviousTokenWritten == EJsonToken::None || PreviousTokenWritten == EJsonToken::CurlyClose || PreviousTokenWritten == EJsonToken::SquareClose) && Stack.Num() == 0;
	}

	TJsonWriter(FString* const InStream, int32 InitialIndentLevel)
		: Stream(InStream)
		, IndentLevel(InitialIndentLevel)
	{
		check(Stream);
	}

protected:
	bool CanWriteValueWithoutIdentifier() const { return Stack.Num() <= 0 || Stack.Top() == EJson::Array || PreviousTokenWritten == EJsonToken::Identifier; }
	bool CanWriteObjectWithoutIdentifier() const { return Stack.Num() <= 0 || Stack.Top() == EJson::Array || PreviousTokenWritten == EJsonToken::Identifier || PreviousTokenWritten == EJsonToken::Colon; }

	void WriteCommaIfNeeded()
	{
		if (PreviousTokenWritten != EJsonToken::CurlyOpen && PreviousTokenWritten != EJsonToken::SquareOpen && PreviousTokenWritten != EJsonToken::Identifier)
		{
			PrintPolicy::WriteChar(Stream, CharType(','));
		}
	}

	void WriteIdentifier(FStringView Identifier)
	{
		WriteCommaIfNeeded();
		PrintPolicy::WriteLineTerminator(Stream);
		PrintPolicy::WriteTabs(Stream, IndentLevel);
		UE::Json::Private::AppendEscapedString(*Stream, Identifier);
		PrintPolicy::WriteChar(Stream, CharType(':'));
	}

	EJsonToken WriteValueOnly(bool Value)
	{
		PrintPolicy::WriteString(Stream, Value ? TEXTVIEW("true") : TEXTVIEW("false"));
		return Value ? EJsonToken::True : EJsonToken::False;
	}
	EJsonToken WriteValueOnly(float Value)
	{
		PrintPolicy::WriteFloat(Stream, Value);
		return EJsonToken::Number;
	}
	EJsonToken WriteValueOnly(double Value)
	{
		PrintPolicy::WriteDouble(Stream, Value);
		return EJsonToken::Number;
	}
	EJsonToken WriteValueOnly(int32 Value) { return WriteValueOnly(static_cast<int64>(Value)); }
	EJsonToken WriteValueOnly(int64 Value)
	{
		PrintPolicy::WriteString(Stream, FStringView(FString::Printf(TEXT("%lld"), Value)));
		return EJsonToken::Number;
	}
	EJsonToken WriteValueOnly(uint64 Value)
	{
		PrintPolicy::WriteString(Stream, FStringView(FString::Printf(TEXT("%llu"), Value)));
		return EJsonToken::Number;
	}
	EJsonToken WriteValueOnly(std::nullptr_t)
	{
		PrintPolicy::WriteString(Stream, TEXTVIEW("null"));
		return EJsonToken::Null;
	}
	EJsonToken WriteValueOnly(FStringView Value)
	{
		UE::Json::Private::AppendEscapedString(*Stream, Value);
		return EJsonToken::String;
	}
	EJsonToken WriteValueOnly(const TCHAR* Value) { return WriteValueOnly(FStringView(Value)); }

	FString* const Stream;
	TArray<EJson> Stack;
	EJsonToken PreviousTokenWritten = EJsonToken::None;
	int32 IndentLevel;
};

template <class CharType = TCHAR, class PrintPolicy = TPrettyJsonPrintPolicy<CharType>>
class TJsonWriterFactory
{
public:
	/** A writer that appends to the given string. */
	static TSharedRef<TJsonWriter<CharType, PrintPolicy>> Create(FString* const Stream, int32 InitialIndent = 0)
	{
		return MakeShared<TJsonWriter<CharType, PrintPolicy>>(Stream, InitialIndent);
	}
};
