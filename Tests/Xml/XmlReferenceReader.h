// Copyright Kelmora. All Rights Reserved.
// The host XML reader as it was before it learnt to read without copying: the reference the faster reader
// must agree with. It tokenizes line by line on a copy blanked in place, adding element text word by word.
#pragma once

#include "CoreMinimal.h"
#include "XmlNode.h"

#include <memory>
#include <string>

namespace OrvaneXmlReference
{
	/** One element as the reference reader builds it. */
	struct FReferenceNode
	{
		FString Tag;
		FString Content;
		TArray<FXmlAttribute> Attributes;
		TArray<FReferenceNode*> Children;
		FReferenceNode* NextNode = nullptr;

		~FReferenceNode()
		{
			for (FReferenceNode* Child : Children)
			{
				delete Child;
			}
		}
	};
}

namespace OrvaneXmlReference
{
	// The engine's own texts, so a caller showing GetLastError reads the same words in both builds.
	const TCHAR* const LoadSuccessText = TEXT("XmlFile was loaded successfully");
	const TCHAR* const ClearSuccessText = TEXT("XmlFile was cleared successfully");
	const TCHAR* const FileLoadFailText = TEXT("Failed to load the file");
	const TCHAR* const FileSaveFailText = TEXT("Failed to save the file");
	const TCHAR* const ParseFailText = TEXT("Failed to parse the loaded document");

	/** White space for the engine's reader: blank, tab and every control character. */
	bool IsXmlWhiteSpace(TCHAR Char)
	{
		return Char == TEXT(' ') || Char == TEXT('\t') || Char < 32;
	}

	bool IsLineBreak(TCHAR Char)
	{
		return Char == TEXT('\r') || Char == TEXT('\n');
	}

	/** A word of the document: a run of the working text (never copied until it becomes a tag, value or text). */
	struct FToken
	{
		const TCHAR* Data;
		int32 Len;

		bool Is(const TCHAR* Literal) const
		{
			int32 Index = 0;
			for (; Literal[Index] != 0; ++Index)
			{
				if (Index >= Len || Data[Index] != Literal[Index])
				{
					return false;
				}
			}
			return Index == Len;
		}
		FString ToString() const { return FString(Len, Data); }
	};

	/** Calls Visit(LineBegin, LineEnd) for each line; a line ends at "\r\n", "\r" or "\n", as the engine splits. */
	template <typename VisitorType>
	void ForEachLine(std::u16string& Text, VisitorType&& Visit)
	{
		const size_t Size = Text.size();
		size_t Begin = 0;
		while (Begin <= Size)
		{
			size_t End = Begin;
			while (End < Size && !IsLineBreak(Text[End]))
			{
				++End;
			}
			if (!Visit(Begin, End))
			{
				return;
			}
			if (End == Size)
			{
				return;
			}
			Begin = End + ((Text[End] == TEXT('\r') && End + 1 < Size && Text[End + 1] == TEXT('\n')) ? 2 : 1);
		}
	}

	bool StartsWithNoCase(const std::u16string& Text, size_t At, size_t End, const char* Prefix)
	{
		for (; *Prefix != 0; ++Prefix, ++At)
		{
			if (At >= End || FChar::ToLower(Text[At]) != FChar::ToLower(static_cast<TCHAR>(*Prefix)))
			{
				return false;
			}
		}
		return true;
	}

	bool MatchesAt(const std::u16string& Text, size_t At, const char* Literal)
	{
		for (; *Literal != 0; ++Literal, ++At)
		{
			if (Text[At] != static_cast<TCHAR>(*Literal))
			{
				return false;
			}
		}
		return true;
	}

	/** Blanks [First, Last], keeping line breaks so the line structure the tokenizer sees is unchanged. */
	void WhiteOut(std::u16string& Text, size_t First, size_t Last)
	{
		for (size_t Index = First; Index <= Last && Index < Text.size(); ++Index)
		{
			if (!IsLineBreak(Text[Index]))
			{
				Text[Index] = TEXT(' ');
			}
		}
	}

	/**
	 * The engine's line-based clean-up: a line whose first word starts with "<!DOCTYPE" or "<?xml" is dropped
	 * whole, and comments are blanked line by line. Quirks kept on purpose: comment marks are found anywhere
	 * (inside quotes too), an unclosed comment is left in place, and an end mark found one place early also
	 * blanks the character after it.
	 */
	void PreProcess(std::u16string& Text)
	{
		ForEachLine(Text, [&Text](size_t Begin, size_t End)
			{
				size_t First = Begin;
				while (First < End && IsXmlWhiteSpace(Text[First]))
				{
					++First;
				}
				if (StartsWithNoCase(Text, First, End, "<!DOCTYPE") || StartsWithNoCase(Text, First, End, "<?xml"))
				{
					WhiteOut(Text, Begin, End - 1);
				}
				return true; });

		bool bInComment = false;
		size_t CommentStart = 0;
		ForEachLine(Text, [&](size_t Begin, size_t End)
			{
				size_t First = Begin;
				while (First < End && IsXmlWhiteSpace(Text[First]))
				{
					++First;
				}
				const size_t Length = End - First;
				if (Length == 3 && bInComment && MatchesAt(Text, First, "-->"))
				{
					bInComment = false;
					WhiteOut(Text, CommentStart, First + 2);
				}
				for (size_t At = First; Length >= 4 && At + 3 < End; ++At)
				{
					if (!bInComment)
					{
						if (MatchesAt(Text, At, "<!--"))
						{
							bInComment = true;
							CommentStart = At;
						}
					}
					else if (MatchesAt(Text, At + 1, "-->") || MatchesAt(Text, At, "-->"))
					{
						bInComment = false;
						WhiteOut(Text, CommentStart, At + 3);
					}
				}
				return true; });
	}

	/** '<' and '>' always; '/' only right after '<' or right before '>'. */
	bool IsTagOperator(const TCHAR* LineBegin, const TCHAR* At, const TCHAR* LineEnd)
	{
		const TCHAR Char = *At;
		if (Char == TEXT('/'))
		{
			return (At + 1 != LineEnd && At[1] == TEXT('>')) || (At != LineBegin && At[-1] == TEXT('<'));
		}
		return Char == TEXT('<') || Char == TEXT('>');
	}

	/**
	 * Splits one line into words by the engine's rules and hands each to Emit, which returns false to stop.
	 * Returns false when Emit stopped. Quote state does not carry from one line to the next.
	 */
	template <typename EmitType>
	bool TokenizeLine(const TCHAR* LineBegin, const TCHAR* LineEnd, EmitType&& Emit)
	{
		enum class EKind
		{
			Operator,
			String
		};
		EKind Kind = EKind::String;
		bool bInQuote = false;
		const TCHAR* TokenBegin = nullptr;
		auto Flush = [&](const TCHAR* TokenEnd)
		{
			const FToken Token{TokenBegin, static_cast<int32>(TokenEnd - TokenBegin)};
			TokenBegin = nullptr;
			return Emit(Token);
		};

		for (const TCHAR* At = LineBegin; At != LineEnd; ++At)
		{
			const TCHAR Char = *At;
			if (IsXmlWhiteSpace(Char) && !bInQuote)
			{
				if (TokenBegin != nullptr && !Flush(At))
				{
					return false;
				}
				continue;
			}

			if (TokenBegin == nullptr)
			{
				TokenBegin = At;
				if (IsTagOperator(LineBegin, At, LineEnd))
				{
					if (Char == TEXT('>'))
					{
						if (!Flush(At + 1))
						{
							return false;
						}
					}
					else
					{
						Kind = EKind::Operator;
					}
				}
				else
				{
					Kind = EKind::String;
				}
				continue;
			}

			if (Kind == EKind::Operator)
			{
				if (IsTagOperator(LineBegin, At, LineEnd))
				{
					if (Char == TEXT('>') && !Flush(At + 1))
					{
						return false;
					}
				}
				else
				{
					if (!Flush(At))
					{
						return false;
					}
					TokenBegin = At;
					Kind = EKind::String;
				}
				continue;
			}

			if (Char == TEXT('"'))
			{
				bInQuote = !bInQuote;
			}
			if (IsTagOperator(LineBegin, At, LineEnd) && !(bInQuote && Char == TEXT('>')))
			{
				if (!Flush(At))
				{
					return false;
				}
				TokenBegin = At;
				bInQuote = false;
				if (Char == TEXT('>'))
				{
					if (!Flush(At + 1))
					{
						return false;
					}
				}
				else
				{
					Kind = EKind::Operator;
				}
			}
		}
		return TokenBegin == nullptr || Flush(LineEnd);
	}

	/** Removes one leading and one trailing Quote; true when either was there (the engine's TrimCharInline). */
	bool TrimQuote(FString& Value, TCHAR Quote)
	{
		std::u16string& Text = Value.GetHostString();
		const size_t OriginalSize = Text.size();
		bool bRemoved = false;
		if (OriginalSize > 1 && Text.back() == Quote)
		{
			Text.pop_back();
			bRemoved = true;
		}
		if (OriginalSize > 0 && Text.size() > 0 && Text.front() == Quote)
		{
			Text.erase(0, 1);
			bRemoved = true;
		}
		return bRemoved;
	}

	/** "name=value": kept only when the value was quoted; other words inside a start tag are dropped. */
	void AddAttribute(const FToken& Token, TArray<FXmlAttribute>& OutAttributes)
	{
		int32 EqualsIndex = 0;
		while (EqualsIndex < Token.Len && Token.Data[EqualsIndex] != TEXT('='))
		{
			++EqualsIndex;
		}
		if (EqualsIndex == Token.Len)
		{
			return;
		}
		FString Value(Token.Len - EqualsIndex - 1, Token.Data + EqualsIndex + 1);
		if (!TrimQuote(Value, TEXT('"')) && !TrimQuote(Value, TEXT('\'')))
		{
			return;
		}
		// One pass per entity in this order, as the engine does, so "&amp;lt;" ends up as "<".
		int32 AmpersandIndex = 0;
		if (Value.FindChar(TEXT('&'), AmpersandIndex))
		{
			Value.ReplaceInline(TEXT("&quot;"), TEXT("\""), ESearchCase::CaseSensitive);
			Value.ReplaceInline(TEXT("&amp;"), TEXT("&"), ESearchCase::CaseSensitive);
			Value.ReplaceInline(TEXT("&apos;"), TEXT("'"), ESearchCase::CaseSensitive);
			Value.ReplaceInline(TEXT("&lt;"), TEXT("<"), ESearchCase::CaseSensitive);
			Value.ReplaceInline(TEXT("&gt;"), TEXT(">"), ESearchCase::CaseSensitive);
		}
		OutAttributes.Add(FXmlAttribute(FString(EqualsIndex, Token.Data), Value));
	}

	/** Builds the tree from the word stream: the engine's tag rules as a state machine over one word at a time. */
	class FReferenceTreeBuilder
	{
	public:
		~FReferenceTreeBuilder()
		{
			// Everything built hangs off the first node, so freeing it frees a half-built tree too.
			delete Root;
		}

		/** False once the document is complete or broken; the caller stops feeding words. */
		bool Consume(const FToken& Token)
		{
			switch (State)
			{
			case EState::Content:
				if (Token.Is(TEXT(">")) || Token.Is(TEXT("/>")))
				{
					return Fail();
				}
				if (Token.Is(TEXT("</")))
				{
					State = EState::EndTagName;
					return true;
				}
				if (Token.Is(TEXT("<")))
				{
					State = EState::StartTagName;
					return true;
				}
				if (Stack.Num() == 0)
				{
					return Fail();
				}
				AppendContent(Stack.Last()->Content, Token);
				return true;

			case EState::StartTagName:
			case EState::EndTagName:
				if (IsTagBoundary(Token))
				{
					return Fail();
				}
				PendingTag = Token.ToString();
				PendingAttributes.Reset();
				State = State == EState::StartTagName ? EState::StartTagRest : EState::EndTagRest;
				return true;

			case EState::StartTagRest:
				if (Token.Is(TEXT("/>")) || Token.Is(TEXT(">")))
				{
					return OpenElement(Token.Is(TEXT("/>")));
				}
				if (Token.Is(TEXT("<")) || Token.Is(TEXT("</")))
				{
					return Fail();
				}
				AddAttribute(Token, PendingAttributes);
				return true;

			case EState::EndTagRest:
				if (Token.Is(TEXT("<")) || Token.Is(TEXT("</")) || Token.Is(TEXT("/>")))
				{
					return Fail();
				}
				// Other words before the '>' of an end tag are ignored, as the engine does.
				return Token.Is(TEXT(">")) ? CloseElement() : true;

			case EState::Done:
			case EState::Failed:
				return false;
			}
			return false;
		}

		/** The finished root, handed to the caller; null when the document was empty, unfinished or broken. */
		FReferenceNode* Finish()
		{
			if (State != EState::Done)
			{
				return nullptr;
			}
			FReferenceNode* Result = Root;
			Root = nullptr;
			return Result;
		}

	private:
		enum class EState
		{
			Content,
			StartTagName,
			StartTagRest,
			EndTagName,
			EndTagRest,
			Done,
			Failed
		};

		static bool IsTagBoundary(const FToken& Token)
		{
			return Token.Is(TEXT("<")) || Token.Is(TEXT("</")) || Token.Is(TEXT(">")) || Token.Is(TEXT("/>"));
		}

		static void AppendContent(FString& Content, const FToken& Token)
		{
			if (!Content.IsEmpty())
			{
				Content.AppendChar(TEXT(' '));
			}
			Content.AppendChars(Token.Data, Token.Len);
		}

		bool Fail()
		{
			State = EState::Failed;
			return false;
		}

		bool OpenElement(bool bEmptyElement)
		{
			FReferenceNode* Node = new FReferenceNode;
			Node->Tag = MoveTemp(PendingTag);
			Node->Attributes = MoveTemp(PendingAttributes);
			PendingTag = FString();
			PendingAttributes = TArray<FXmlAttribute>();
			State = EState::Content;
			if (Stack.Num() == 0)
			{
				Root = Node;
				if (bEmptyElement)
				{
					State = EState::Done;
					return false;
				}
			}
			else
			{
				TArray<FReferenceNode*>& Siblings = Stack.Last()->Children;
				if (Siblings.Num() > 0)
				{
					Siblings.Last()->NextNode = Node;
				}
				Siblings.Add(Node);
			}
			if (!bEmptyElement)
			{
				Stack.Add(Node);
			}
			return true;
		}

		bool CloseElement()
		{
			// Tags match without regard to case, as FString's == does in the engine.
			if (Stack.Num() == 0 || Stack.Last()->Tag != PendingTag)
			{
				return Fail();
			}
			Stack.Pop();
			State = Stack.Num() == 0 ? EState::Done : EState::Content;
			return State == EState::Content;
		}

		EState State = EState::Content;
		FReferenceNode* Root = nullptr;
		TArray<FReferenceNode*> Stack;
		FString PendingTag;
		TArray<FXmlAttribute> PendingAttributes;
	};

	/** Parses the whole text in place (comments are blanked in it); null when it holds no complete document. */
	FReferenceNode* ParseDocument(std::u16string& Text)
	{
		PreProcess(Text);
		FReferenceTreeBuilder Builder;
		const TCHAR* const Base = Text.data();
		ForEachLine(Text, [&](size_t Begin, size_t End)
			{ return TokenizeLine(Base + Begin, Base + End, [&Builder](const FToken& Token)
				  { return Builder.Consume(Token); }); });
		return Builder.Finish();
	}
}
