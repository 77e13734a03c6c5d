// Copyright Kelmora. All Rights Reserved.
// The host's JSON reading and string escaping sit on nlohmann/json. Differences from the engine's own
// tokenizer, none of which a well-formed document meets: literals must be lower case (the engine also
// takes "True"), raw control characters inside strings and lone surrogate escapes are refused, numbers
// beyond the double range are refused (the engine reads them as infinity), and nesting deeper than
// MaxDepth levels is refused so a hostile document cannot exhaust the stack when its tree is freed.
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace
{
	constexpr size_t MaxDepth = 512;

	FString FromUtf8(const std::string& Utf8)
	{
		// Keys and most values are ASCII: widen those directly, without a second copy.
		std::u16string Wide(Utf8.size(), u'\0');
		for (size_t Index = 0; Index < Utf8.size(); ++Index)
		{
			const unsigned char Byte = static_cast<unsigned char>(Utf8[Index]);
			if (Byte >= 0x80)
			{
				const FUTF8ToTCHAR Converted(Utf8.data(), static_cast<int32>(Utf8.size()));
				return FString(Converted.Length(), Converted.Get());
			}
			Wide[Index] = Byte;
		}
		return FString(std::move(Wide));
	}

	/** Builds the value tree from parse events with an explicit stack. */
	class FTreeBuilder
	{
	public:
		using json = nlohmann::json;

		TSharedPtr<FJsonValue> Root;
		FString Error;

		bool null() { return AddValue(MakeShared<FJsonValueNull>()); }
		bool boolean(bool Value) { return AddValue(MakeShared<FJsonValueBoolean>(Value)); }
		bool number_integer(json::number_integer_t Value) { return AddValue(MakeShared<FJsonValueNumber>(static_cast<double>(Value))); }
		bool number_unsigned(json::number_unsigned_t Value) { return AddValue(MakeShared<FJsonValueNumber>(static_cast<double>(Value))); }
		bool number_float(json::number_float_t Value, const json::string_t&) { return AddValue(MakeShared<FJsonValueNumber>(Value)); }
		bool string(json::string_t& Value) { return AddValue(MakeShared<FJsonValueString>(FromUtf8(Value))); }
		bool binary(json::binary_t&) { return Fail(TEXT("Binary values are not JSON.")); }

		bool start_object(std::size_t)
		{
			if (Scopes.size() >= MaxDepth)
			{
				return Fail(TEXT("Nesting too deep."));
			}
			Scopes.push_back(FScope{MakeShared<FJsonObject>(), {}, FString()});
			return true;
		}
		bool key(json::string_t& Key)
		{
			Scopes.back().PendingKey = FromUtf8(Key);
			return true;
		}
		bool end_object()
		{
			FScope Scope = MoveTemp(Scopes.back());
			Scopes.pop_back();
			return AddValue(MakeShared<FJsonValueObject>(MoveTemp(Scope.Object)));
		}
		bool start_array(std::size_t)
		{
			if (Scopes.size() >= MaxDepth)
			{
				return Fail(TEXT("Nesting too deep."));
			}
			Scopes.push_back(FScope{nullptr, {}, FString()});
			return true;
		}
		bool end_array()
		{
			FScope Scope = MoveTemp(Scopes.back());
			Scopes.pop_back();
			return AddValue(MakeShared<FJsonValueArray>(MoveTemp(Scope.Array)));
		}
		bool parse_error(std::size_t Position, const std::string&, const nlohmann::detail::exception& Exception)
		{
			return Fail(FString::Printf(TEXT("%hs Ch: %llu"), Exception.what(), static_cast<uint64>(Position)));
		}

	private:
		struct FScope
		{
			TSharedPtr<FJsonObject> Object;
			TArray<TSharedPtr<FJsonValue>> Array;
			FString PendingKey;
		};

		bool AddValue(TSharedPtr<FJsonValue> Value)
		{
			if (Scopes.empty())
			{
				Root = MoveTemp(Value);
				return true;
			}
			FScope& Scope = Scopes.back();
			if (Scope.Object.IsValid())
			{
				// A repeated name replaces the earlier member where it stands, as the engine's reader does.
				Scope.Object->SetField(MoveTemp(Scope.PendingKey), Value);
			}
			else
			{
				Scope.Array.Add(MoveTemp(Value));
			}
			return true;
		}

		bool Fail(FString Message)
		{
			if (Error.IsEmpty())
			{
				Error = MoveTemp(Message);
			}
			return false;
		}

		std::vector<FScope> Scopes;
	};
}

namespace UE::Json::Private
{
	TSharedPtr<FJsonValue> ParseDocument(FStringView Text, FString& OutError)
	{
		FTreeBuilder Builder;
		const TCHAR* Begin = Text.GetData() ? Text.GetData() : TEXT("");
		const bool bParsed = nlohmann::json::sax_parse(Begin, Begin + Text.Len(), &Builder, nlohmann::json::input_format_t::json, true);
		if (!bParsed || !Builder.Root.IsValid())
		{
			OutError = Builder.Error.IsEmpty() ? FString(TEXT("Improperly formatted.")) : Builder.Error;
			return nullptr;
		}
		const EJson RootType = Builder.Root->Type;
		if (RootType != EJson::Object && RootType != EJson::Array)
		{
			OutError = TEXT("Open Curly or Square Brace token expected, but not found.");
			return nullptr;
		}
		OutError.Empty();
		return Builder.Root;
	}

	void AppendEscapedString(FString& Out, FStringView String)
	{
		const FTCHARToUTF8 Utf8(String.GetData(), String.Len());
		const std::string Escaped = nlohmann::json(std::string(Utf8.Get(), static_cast<size_t>(Utf8.Length()))).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
		const FUTF8ToTCHAR Converted(Escaped.data(), static_cast<int32>(Escaped.size()));
		Out.AppendChars(Converted.Get(), Converted.Length());
	}
}
