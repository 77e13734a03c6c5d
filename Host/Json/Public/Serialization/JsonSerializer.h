// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Serialization/JsonSerializer.h.
#pragma once

#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "Dom/JsonValue.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonWriter.h"

namespace UE::Json::Private
{
	/** Parses a whole document into a value tree; on failure returns null and sets OutError. */
	TSharedPtr<FJsonValue> ParseDocument(FStringView Text, FString& OutError);

	/** One step of writing a value tree, kept iterative so deep trees cannot exhaust the stack. */
	struct FWriteElement
	{
		FString Identifier;
		TSharedPtr<FJsonValue> Value;
		bool bIsKeyValuePair = false;
		bool bHasBeenProcessed = false;
	};
}

class FJsonSerializer
{
public:
	enum class EFlags
	{
		None = 0,
		StoreNumbersAsStrings = 1,
	};

	/** Reads a document whose root is an object. */
	template <class CharType>
	static bool Deserialize(const TSharedRef<TJsonReader<CharType>>& Reader, TSharedPtr<FJsonObject>& OutObject, EFlags InOptions = EFlags::None)
	{
		TSharedPtr<FJsonValue> Root = Parse(*Reader);
		const TSharedPtr<FJsonObject>* Object = nullptr;
		if (!Root.IsValid() || !Root->TryGetObject(Object))
		{
			return false;
		}
		OutObject = *Object;
		return true;
	}

	/** Reads a document whose root is an array. */
	template <class CharType>
	static bool Deserialize(const TSharedRef<TJsonReader<CharType>>& Reader, TArray<TSharedPtr<FJsonValue>>& OutArray, EFlags InOptions = EFlags::None)
	{
		TSharedPtr<FJsonValue> Root = Parse(*Reader);
		const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
		if (!Root.IsValid() || !Root->TryGetArray(Array))
		{
			return false;
		}
		OutArray = *Array;
		return true;
	}

	/** Reads a document into a value of either kind. */
	template <class CharType>
	static bool Deserialize(const TSharedRef<TJsonReader<CharType>>& Reader, TSharedPtr<FJsonValue>& OutValue, EFlags InOptions = EFlags::None)
	{
		OutValue = Parse(*Reader);
		return OutValue.IsValid();
	}

	/** Writes an object as a whole document. */
	template <class CharType, class PrintPolicy>
	static bool Serialize(const TSharedRef<FJsonObject>& Object, const TSharedRef<TJsonWriter<CharType, PrintPolicy>>& Writer, bool bCloseWriter = true)
	{
		UE::Json::Private::FWriteElement Root{FString(), TSharedPtr<FJsonValue>(MakeShared<FJsonValueObject>(TSharedPtr<FJsonObject>(Object))), false, false};
		return SerializeInternal(MoveTemp(Root), Writer.Get(), bCloseWriter);
	}
	template <class CharType, class PrintPolicy>
	static bool Serialize(const TSharedPtr<FJsonObject>& Object, const TSharedRef<TJsonWriter<CharType, PrintPolicy>>& Writer, bool bCloseWriter = true)
	{
		return Object.IsValid() && Serialize(Object.ToSharedRef(), Writer, bCloseWriter);
	}

	/** Writes an array as a whole document. */
	template <class CharType, class PrintPolicy>
	static bool Serialize(const TArray<TSharedPtr<FJsonValue>>& Array, const TSharedRef<TJsonWriter<CharType, PrintPolicy>>& Writer, bool bCloseWriter = true)
	{
		UE::Json::Private::FWriteElement Root{FString(), TSharedPtr<FJsonValue>(MakeShared<FJsonValueArray>(Array)), false, false};
		return SerializeInternal(MoveTemp(Root), Writer.Get(), bCloseWriter);
	}

private:
	template <class CharType>
	static TSharedPtr<FJsonValue> Parse(TJsonReader<CharType>& Reader)
	{
		FString Error;
		TSharedPtr<FJsonValue> Root = UE::Json::Private::ParseDocument(Reader.GetText(), Error);
		Reader.SetErrorMessage(MoveTemp(Error));
		return Root;
	}

	template <class CharType, class PrintPolicy>
	static bool SerializeInternal(UE::Json::Private::FWriteElement&& Root, TJsonWriter<CharType, PrintPolicy>& Writer, bool bCloseWriter)
	{
		using UE::Json::Private::FWriteElement;
		TArray<FWriteElement> Stack;
		Stack.Push(MoveTemp(Root));
		while (Stack.Num() > 0)
		{
			FWriteElement& Element = Stack.Last();
			const EJson Type = Element.Value.IsValid() ? Element.Value->Type : EJson::Null;
			if (Type != EJson::Object && Type != EJson::Array)
			{
				WriteScalar(Writer, Element);
				Stack.Pop();
				continue;
			}
			if (Element.bHasBeenProcessed)
			{
				if (Type == EJson::Object)
				{
					Writer.WriteObjectEnd();
				}
				else
				{
					Writer.WriteArrayEnd();
				}
				Stack.Pop();
				continue;
			}
			Element.bHasBeenProcessed = true;
			const TSharedPtr<FJsonValue> Value = Element.Value;
			const bool bKeyed = Element.bIsKeyValuePair;
			const FString Identifier = Element.Identifier;
			// Children are pushed in reverse so that they are written in order.
			if (Type == EJson::Object)
			{
				if (bKeyed)
				{
					Writer.WriteObjectStart(FStringView(Identifier));
				}
				else
				{
					Writer.WriteObjectStart();
				}
				const TSharedPtr<FJsonObject>& Object = Value->AsObject();
				TArray<FWriteElement> Children;
				for (const auto& Pair : Object->Values)
				{
					Children.Add(FWriteElement{Pair.Key, Pair.Value, true, false});
				}
				for (int32 Index = Children.Num() - 1; Index >= 0; --Index)
				{
					Stack.Push(MoveTemp(Children[Index]));
				}
			}
			else
			{
				if (bKeyed)
				{
					Writer.WriteArrayStart(FStringView(Identifier));
				}
				else
				{
					Writer.WriteArrayStart();
				}
				const TArray<TSharedPtr<FJsonValue>>& Array = Value->AsArray();
				for (int32 Index = Array.Num() - 1; Index >= 0; --Index)
				{
					Stack.Push(FWriteElement{FString(), Array[Index], false, false});
				}
			}
		}
		return !bCloseWriter || Writer.Close();
	}

	template <class CharType, class PrintPolicy>
	static void WriteScalar(TJsonWriter<CharType, PrintPolicy>& Writer, const UE::Json::Private::FWriteElement& Element)
	{
		const TSharedPtr<FJsonValue>& Value = Element.Value;
		const EJson Type = Value.IsValid() ? Value->Type : EJson::Null;
		const FStringView Identifier(Element.Identifier);
		switch (Type)
		{
		case EJson::Boolean:
			Element.bIsKeyValuePair ? Writer.WriteValue(Identifier, Value->AsBool()) : Writer.WriteValue(Value->AsBool());
			break;
		case EJson::Number:
			if (Value->PreferStringRepresentation())
			{
				Element.bIsKeyValuePair ? Writer.WriteRawJSONValue(Identifier, Value->AsString()) : Writer.WriteRawJSONValue(Value->AsString());
			}
			else
			{
				Element.bIsKeyValuePair ? Writer.WriteValue(Identifier, Value->AsNumber()) : Writer.WriteValue(Value->AsNumber());
			}
			break;
		case EJson::String:
			Element.bIsKeyValuePair ? Writer.WriteValue(Identifier, Value->AsString()) : Writer.WriteValue(Value->AsString());
			break;
		default:
			Element.bIsKeyValuePair ? Writer.WriteNull(Identifier) : Writer.WriteNull();
			break;
		}
	}
};
