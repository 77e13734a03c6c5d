// Copyright Kelmora. All Rights Reserved.
// The host's JSON reading and string escaping sit on nlohmann/json. The engine's tokenizer reads three things
// nlohmann/json refuses, and the host reads them as the engine does: the literals true, false and null in any
// letter case, raw control characters inside strings, and numbers beyond the double range (infinity, which the
// C library's conversion gives). A prepass finds them and rewrites the text only when one is present. Still
// refused: lone surrogate escapes, and nesting deeper than MaxDepth levels, so a hostile document cannot exhaust
// the stack when its tree is freed.
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
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

	bool IsJsonDigit(TCHAR Char)
	{
		return Char >= '0' && Char <= '9';
	}

	bool IsJsonNumberChar(TCHAR Char)
	{
		return IsJsonDigit(Char) || Char == '-' || Char == '+' || Char == '.' || Char == 'e' || Char == 'E';
	}

	bool IsAsciiLetter(TCHAR Char)
	{
		return (Char >= 'a' && Char <= 'z') || (Char >= 'A' && Char <= 'Z');
	}

	/** Whether the run is one JSON number: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)? */
	bool IsWellFormedNumber(FStringView Run)
	{
		int32 Index = 0;
		const int32 Len = Run.Len();
		auto Digits = [&Run, &Index, Len]()
		{
			const int32 Start = Index;
			while (Index < Len && IsJsonDigit(Run[Index]))
			{
				++Index;
			}
			return Index - Start;
		};
		if (Index < Len && Run[Index] == '-')
		{
			++Index;
		}
		if (Index < Len && Run[Index] == '0')
		{
			++Index;
		}
		else if (Digits() == 0)
		{
			return false;
		}
		if (Index < Len && Run[Index] == '.')
		{
			++Index;
			if (Digits() == 0)
			{
				return false;
			}
		}
		if (Index < Len && (Run[Index] == 'e' || Run[Index] == 'E'))
		{
			++Index;
			if (Index < Len && (Run[Index] == '+' || Run[Index] == '-'))
			{
				++Index;
			}
			if (Digits() == 0)
			{
				return false;
			}
		}
		return Index == Len;
	}

	/** The literal a run of letters spells in any letter case, as the engine's tokenizer compares it; null if none. */
	const TCHAR* LiteralOf(FStringView Run)
	{
		for (const TCHAR* Literal : {TEXT("true"), TEXT("false"), TEXT("null")})
		{
			if (Run.Equals(Literal, ESearchCase::IgnoreCase))
			{
				return Literal;
			}
		}
		return nullptr;
	}

	/**
	 * What the engine's reader accepts and nlohmann/json does not, found in one pass over the text. Numbers are
	 * counted in document order (each number token of a well-formed document gives exactly one number event),
	 * so an overflowing number can be written as 0 and given its infinity back when its event comes.
	 */
	class FEngineLeniency
	{
	public:
		/** Number index and value of every number beyond the double range, in document order. */
		std::vector<std::pair<size_t, double>> Infinities;

		/** Scans the text; true when it must be rewritten before nlohmann/json can read it. */
		bool Scan(FStringView Text)
		{
			return Walk(Text, nullptr);
		}

		/** The text with capitalised literals lowered, control characters escaped and overflowing numbers as 0. */
		FString Rewrite(FStringView Text)
		{
			FString Out;
			Out.Reserve(Text.Len() + 16);
			Infinities.clear();
			Walk(Text, &Out);
			return Out;
		}

	private:
		bool Walk(FStringView Text, FString* Out)
		{
			bool bNeedsRewrite = false;
			size_t NumberIndex = 0;
			const int32 Len = Text.Len();
			int32 Index = 0;
			while (Index < Len)
			{
				const TCHAR Char = Text[Index];
				int32 End = Index + 1;
				if (Char == '"')
				{
					// A string runs to the next quote that no backslash escapes.
					if (Out)
					{
						Out->AppendChar(Char);
					}
					while (End < Len && Text[End] != '"')
					{
						const TCHAR Inner = Text[End];
						if (Inner == '\\' && End + 1 < Len)
						{
							if (Out)
							{
								Out->AppendChar(Inner);
								Out->AppendChar(Text[End + 1]);
							}
							End += 2;
							continue;
						}
						if (Inner < 0x20)
						{
							bNeedsRewrite = true;
							if (Out)
							{
								Out->Appendf(TEXT("\\u%04x"), static_cast<uint32>(Inner));
							}
						}
						else if (Out)
						{
							Out->AppendChar(Inner);
						}
						++End;
					}
					if (End < Len)
					{
						if (Out)
						{
							Out->AppendChar('"');
						}
						++End;
					}
				}
				else if (Char == '-' || IsJsonDigit(Char))
				{
					while (End < Len && IsJsonNumberChar(Text[End]))
					{
						++End;
					}
					const FStringView Run(Text.GetData() + Index, End - Index);
					const double Value = Overflowing(Run);
					if (Value != 0.0)
					{
						bNeedsRewrite = true;
						Infinities.emplace_back(NumberIndex, Value);
					}
					if (Out)
					{
						if (Value != 0.0)
						{
							Out->AppendChar('0');
						}
						else
						{
							Out->AppendChars(Run.GetData(), Run.Len());
						}
					}
					++NumberIndex;
				}
				else if (IsAsciiLetter(Char))
				{
					while (End < Len && IsAsciiLetter(Text[End]))
					{
						++End;
					}
					const FStringView Run(Text.GetData() + Index, End - Index);
					const TCHAR* Literal = LiteralOf(Run);
					bNeedsRewrite |= Literal && !Run.Equals(Literal, ESearchCase::CaseSensitive);
					if (Out)
					{
						Literal ? Out->Append(Literal) : Out->AppendChars(Run.GetData(), Run.Len());
					}
				}
				else if (Out)
				{
					Out->AppendChar(Char);
				}
				Index = End;
			}
			return bNeedsRewrite;
		}

		/** The infinity a well-formed number converts to when it is beyond the double range, else 0. */
		static double Overflowing(FStringView Run)
		{
			// Without an exponent, only a number of more than 309 digits can overflow.
			bool bHasExponent = false;
			for (const TCHAR Char : Run)
			{
				bHasExponent |= Char == 'e' || Char == 'E';
			}
			if ((!bHasExponent && Run.Len() <= 309) || !IsWellFormedNumber(Run))
			{
				return 0.0;
			}
			std::string Ascii;
			Ascii.reserve(static_cast<size_t>(Run.Len()));
			for (const TCHAR Char : Run)
			{
				Ascii.push_back(static_cast<char>(Char));
			}
			const double Value = std::strtod(Ascii.c_str(), nullptr);
			return std::isinf(Value) ? Value : 0.0;
		}
	};

	/** Builds the value tree from parse events with an explicit stack. */
	class FTreeBuilder
	{
	public:
		using json = nlohmann::json;

		TSharedPtr<FJsonValue> Root;
		FString Error;

		/** Numbers that were beyond the double range, by number index; see FEngineLeniency. */
		const std::vector<std::pair<size_t, double>>* Infinities = nullptr;

		bool null() { return AddValue(MakeShared<FJsonValueNull>()); }
		bool boolean(bool Value) { return AddValue(MakeShared<FJsonValueBoolean>(Value)); }
		bool number_integer(json::number_integer_t Value) { return AddNumber(static_cast<double>(Value)); }
		bool number_unsigned(json::number_unsigned_t Value) { return AddNumber(static_cast<double>(Value)); }
		bool number_float(json::number_float_t Value, const json::string_t&) { return AddNumber(Value); }
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

		bool AddNumber(double Value)
		{
			const size_t Index = NumberIndex++;
			if (Infinities && NextInfinity < Infinities->size() && (*Infinities)[NextInfinity].first == Index)
			{
				Value = (*Infinities)[NextInfinity++].second;
			}
			return AddValue(MakeShared<FJsonValueNumber>(Value));
		}

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
		size_t NumberIndex = 0;
		size_t NextInfinity = 0;
	};
}

namespace UE::Json::Private
{
	TSharedPtr<FJsonValue> ParseDocument(FStringView Text, FString& OutError)
	{
		FTreeBuilder Builder;
		FEngineLeniency Leniency;
		FString Rewritten;
		if (Leniency.Scan(Text))
		{
			Rewritten = Leniency.Rewrite(Text);
			Text = FStringView(Rewritten);
			Builder.Infinities = &Leniency.Infinities;
		}
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
