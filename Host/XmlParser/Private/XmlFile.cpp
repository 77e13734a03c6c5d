// Copyright Kelmora. All Rights Reserved.
#include "XmlFile.h"
#include "Misc/FileHelper.h"

#include <string>

namespace
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
		// Blank (32), tab (9) and the other control characters: all of 0 to 32.
		return Char <= 32;
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

	/** The first index in [From, To) holding one of the characters, or To. */
	template <typename... CharTypes>
	size_t FindAny(const TCHAR* Text, size_t From, size_t To, CharTypes... Chars)
	{
		size_t Index = From;
		// Groups are tested without a branch per character, which the compiler turns into vector compares.
		constexpr size_t GroupSize = 32;
		for (; Index + GroupSize <= To; Index += GroupSize)
		{
			uint32 Found = 0;
			for (size_t Offset = 0; Offset < GroupSize; ++Offset)
			{
				const TCHAR Char = Text[Index + Offset];
				Found |= (static_cast<uint32>(Char == Chars) | ...);
			}
			if (Found != 0)
			{
				break;
			}
		}
		for (; Index < To; ++Index)
		{
			const TCHAR Char = Text[Index];
			if (((Char == Chars) || ...))
			{
				return Index;
			}
		}
		return To;
	}

	/** The start of the line holding At. */
	size_t LineBeginOf(const TCHAR* Text, size_t At)
	{
		while (At > 0 && !IsLineBreak(Text[At - 1]))
		{
			--At;
		}
		return At;
	}

	/** The end of the line holding At: its line break, or Size. */
	size_t LineEndOf(const TCHAR* Text, size_t Size, size_t At)
	{
		while (At < Size && !IsLineBreak(Text[At]))
		{
			++At;
		}
		return At;
	}

	/** The start of the line after the one ending at End ("\r\n", "\r" or "\n", as the engine splits). */
	size_t NextLineBegin(const TCHAR* Text, size_t Size, size_t End)
	{
		return End + ((Text[End] == TEXT('\r') && End + 1 < Size && Text[End + 1] == TEXT('\n')) ? 2 : 1);
	}

	bool StartsWithNoCase(const TCHAR* Text, size_t At, size_t End, const char* Prefix)
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

	/** A run of the text read as blanks, [First, Last]; the line breaks inside it stay. */
	struct FBlankRange
	{
		size_t First;
		size_t Last;
	};

	/**
	 * The engine's line-based clean-up, as blank ranges over the untouched text: a line whose first word
	 * starts with "<!DOCTYPE" or "<?xml" is dropped whole, and comments are blanked line by line. Quirks kept
	 * on purpose: comment marks are found anywhere (inside quotes too), an unclosed comment is left in place,
	 * and an end mark found one place early also blanks the character after it. Returns the ranges in order,
	 * merged where they meet.
	 */
	TArray<FBlankRange> FindBlankRanges(const TCHAR* Text, size_t Size)
	{
		// Prolog lines: only a '<' that starts the first word of its line can begin one.
		TArray<FBlankRange> Dropped;
		for (size_t At = FindAny(Text, 0, Size, TEXT('<')); At < Size; At = FindAny(Text, At + 1, Size, TEXT('<')))
		{
			size_t Begin = At;
			while (Begin > 0 && IsXmlWhiteSpace(Text[Begin - 1]) && !IsLineBreak(Text[Begin - 1]))
			{
				--Begin;
			}
			if ((Begin == 0 || IsLineBreak(Text[Begin - 1])) && (StartsWithNoCase(Text, At, Size, "<!DOCTYPE") || StartsWithNoCase(Text, At, Size, "<?xml")))
			{
				const size_t End = LineEndOf(Text, Size, At);
				Dropped.Add(FBlankRange{Begin, End - 1});
				At = End;
			}
		}

		// Comments. Lines are visited as the engine visits them, except that while no comment is open the
		// visit jumps to the line holding the next "<!--", since nothing happens on the lines before it.
		TArray<FBlankRange> Comments;
		int32 NextDropped = 0;
		bool bInComment = false;
		size_t CommentStart = 0;
		// Positions below BlankedEnd on the current line were blanked by a comment closed on it.
		size_t BlankedEnd = 0;
		auto CharAt = [&](size_t At)
		{ return At < BlankedEnd ? TEXT(' ') : Text[At]; };
		auto MatchesAt = [&](size_t At, const char* Literal)
		{
			for (; *Literal != 0; ++Literal, ++At)
			{
				if (CharAt(At) != static_cast<TCHAR>(*Literal))
				{
					return false;
				}
			}
			return true;
		};
		auto FindOpening = [&](size_t From)
		{
			for (size_t At = FindAny(Text, From, Size, TEXT('<')); At < Size; At = FindAny(Text, At + 1, Size, TEXT('<')))
			{
				if (At + 3 < Size && Text[At + 1] == TEXT('!') && Text[At + 2] == TEXT('-') && Text[At + 3] == TEXT('-'))
				{
					return At;
				}
			}
			return Size;
		};
		size_t Begin = 0;
		while (Begin <= Size)
		{
			if (!bInComment)
			{
				const size_t Opening = FindOpening(Begin);
				if (Opening == Size)
				{
					break;
				}
				Begin = LineBeginOf(Text, Opening);
			}
			const size_t End = LineEndOf(Text, Size, Begin);
			while (NextDropped < Dropped.Num() && Dropped[NextDropped].First < Begin)
			{
				++NextDropped;
			}
			// A dropped line reads as blanks, on which nothing matches.
			const bool bDropped = NextDropped < Dropped.Num() && Dropped[NextDropped].First == Begin;
			if (!bDropped)
			{
				size_t First = Begin;
				while (First < End && IsXmlWhiteSpace(Text[First]))
				{
					++First;
				}
				const size_t Length = End - First;
				if (Length == 3 && bInComment && MatchesAt(First, "-->"))
				{
					bInComment = false;
					Comments.Add(FBlankRange{CommentStart, First + 2});
				}
				for (size_t At = First; Length >= 4 && At + 3 < End; ++At)
				{
					if (!bInComment)
					{
						if (MatchesAt(At, "<!--"))
						{
							bInComment = true;
							CommentStart = At;
						}
					}
					else if (MatchesAt(At + 1, "-->") || MatchesAt(At, "-->"))
					{
						bInComment = false;
						Comments.Add(FBlankRange{CommentStart, At + 3});
						BlankedEnd = At + 4;
					}
				}
			}
			if (End == Size)
			{
				break;
			}
			Begin = NextLineBegin(Text, Size, End);
		}

		// Both lists are in order; merged into one list of separate ranges.
		TArray<FBlankRange> Ranges;
		Ranges.Reserve(Dropped.Num() + Comments.Num());
		int32 DroppedIndex = 0;
		int32 CommentIndex = 0;
		while (DroppedIndex < Dropped.Num() || CommentIndex < Comments.Num())
		{
			const bool bTakeDropped = CommentIndex == Comments.Num() || (DroppedIndex < Dropped.Num() && Dropped[DroppedIndex].First < Comments[CommentIndex].First);
			const FBlankRange Range = bTakeDropped ? Dropped[DroppedIndex++] : Comments[CommentIndex++];
			if (Ranges.Num() > 0 && Range.First <= Ranges.Last().Last + 1)
			{
				Ranges.Last().Last = FMath::Max(Ranges.Last().Last, Range.Last);
			}
			else
			{
				Ranges.Add(Range);
			}
		}
		return Ranges;
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

}

/** Builds the tree from the word stream: the engine's tag rules as a state machine over one word at a time. */
class FXmlTreeBuilder
{
public:
	~FXmlTreeBuilder()
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

	/** True while words go to the text of an open element. */
	bool IsTakingText() const { return State == EState::Content && Stack.Num() > 0; }

	/**
	 * What consuming each word of [Begin, End) does when the range holds no '<', '>' or '"': each run of
	 * characters other than white space is added to the open element's text, as AppendContent adds it.
	 */
	void AppendPlainText(const TCHAR* Begin, const TCHAR* End)
	{
		std::u16string& Content = Stack.Last()->Content.GetHostString();
		const size_t OldSize = Content.size();
		// At most one character per character read, plus the blank before the first word: room is made once,
		// and the text is folded a piece at a time into a small buffer and appended from there, so the (possibly
		// very large) text is written once, not first filled with zeros.
		Content.reserve(OldSize + static_cast<size_t>(End - Begin) + 1);
		constexpr size_t PieceSize = 4096;
		TCHAR Piece[PieceSize + 1];
		TCHAR* Out = Piece;
		// Without a branch per character: white space becomes a blank, kept only where a run of it starts; text
		// already there is followed by a blank first, and a blank left at the end is taken back.
		if (OldSize > 0)
		{
			*Out++ = TEXT(' ');
		}
		bool bAfterWhiteSpace = true;
		constexpr size_t GroupSize = 16;
		for (const TCHAR* At = Begin; At != End;)
		{
			const TCHAR* const PieceEnd = At + FMath::Min<size_t>(static_cast<size_t>(End - At), PieceSize - static_cast<size_t>(Out - Piece));
			while (At != PieceEnd)
			{
				// A group with no two white-space characters in a row (counting the one before it) keeps every
				// character, white space as a blank: tested and copied without a branch per character.
				if (static_cast<size_t>(PieceEnd - At) >= GroupSize)
				{
					uint32 Doubled = static_cast<uint32>(bAfterWhiteSpace) & static_cast<uint32>(IsXmlWhiteSpace(At[0]));
					for (size_t Offset = 0; Offset + 1 < GroupSize; ++Offset)
					{
						Doubled |= static_cast<uint32>(IsXmlWhiteSpace(At[Offset])) & static_cast<uint32>(IsXmlWhiteSpace(At[Offset + 1]));
					}
					if (Doubled == 0)
					{
						for (size_t Offset = 0; Offset < GroupSize; ++Offset)
						{
							Out[Offset] = IsXmlWhiteSpace(At[Offset]) ? TEXT(' ') : At[Offset];
						}
						bAfterWhiteSpace = IsXmlWhiteSpace(At[GroupSize - 1]);
						Out += GroupSize;
						At += GroupSize;
						continue;
					}
				}
				const TCHAR* const GroupEnd = At + FMath::Min<size_t>(static_cast<size_t>(PieceEnd - At), GroupSize);
				for (; At != GroupEnd; ++At)
				{
					const TCHAR Char = *At;
					const bool bWhiteSpace = IsXmlWhiteSpace(Char);
					*Out = bWhiteSpace ? TEXT(' ') : Char;
					Out += !(bWhiteSpace && bAfterWhiteSpace);
					bAfterWhiteSpace = bWhiteSpace;
				}
			}
			Content.append(Piece, static_cast<size_t>(Out - Piece));
			Out = Piece;
		}
		Content.append(Piece, static_cast<size_t>(Out - Piece));
		if (bAfterWhiteSpace && Content.size() > OldSize)
		{
			Content.pop_back();
		}
	}

	/** The finished root, handed to the caller; null when the document was empty, unfinished or broken. */
	FXmlNode* Finish()
	{
		if (State != EState::Done)
		{
			return nullptr;
		}
		FXmlNode* Result = Root;
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
		FXmlNode* Node = new FXmlNode;
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
			TArray<FXmlNode*>& Siblings = Stack.Last()->Children;
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
	FXmlNode* Root = nullptr;
	TArray<FXmlNode*> Stack;
	FString PendingTag;
	TArray<FXmlAttribute> PendingAttributes;
};

namespace
{
	/** Parses the text, which is left untouched; null when it holds no complete document. */
	FXmlNode* ParseDocument(const TCHAR* Text, size_t Size)
	{
		const TArray<FBlankRange> Ranges = FindBlankRanges(Text, Size);
		int32 NextRange = 0;
		// A line that a blank range touches is tokenized from a copy with the range blanked.
		std::u16string Scratch;
		FXmlTreeBuilder Builder;
		auto Emit = [&Builder](const FToken& Token)
		{ return Builder.Consume(Token); };
		size_t Begin = 0;
		while (Begin <= Size)
		{
			while (NextRange < Ranges.Num() && Ranges[NextRange].Last < Begin)
			{
				++NextRange;
			}
			if (Builder.IsTakingText())
			{
				// Whole lines before the next '<', '>', '"' or blank range are plain words of the open
				// element's text: they are added in one go instead of word by word.
				const size_t RangeStart = NextRange < Ranges.Num() ? FMath::Max(Ranges[NextRange].First, Begin) : Size;
				const size_t Stop = FindAny(Text, Begin, RangeStart, TEXT('<'), TEXT('>'), TEXT('"'));
				const size_t PlainEnd = Stop == Size ? Size : LineBeginOf(Text, Stop);
				if (PlainEnd > Begin)
				{
					Builder.AppendPlainText(Text + Begin, Text + PlainEnd);
					if (PlainEnd == Size)
					{
						break;
					}
					Begin = PlainEnd;
				}
			}
			const size_t End = LineEndOf(Text, Size, Begin);
			const TCHAR* Line = Text + Begin;
			if (NextRange < Ranges.Num() && Ranges[NextRange].First < End)
			{
				Scratch.assign(Line, End - Begin);
				for (int32 Index = NextRange; Index < Ranges.Num() && Ranges[Index].First < End; ++Index)
				{
					const size_t First = FMath::Max(Ranges[Index].First, Begin);
					const size_t Last = FMath::Min(Ranges[Index].Last, End - 1);
					for (size_t At = First; At <= Last; ++At)
					{
						Scratch[At - Begin] = TEXT(' ');
					}
				}
				Line = Scratch.data();
			}
			if (!TokenizeLine(Line, Line + (End - Begin), Emit) || End == Size)
			{
				break;
			}
			Begin = NextLineBegin(Text, Size, End);
		}
		return Builder.Finish();
	}

	/** Escapes an attribute value for writing, the inverse of the decoding on load. */
	FString EscapeAttribute(const FString& Value)
	{
		FString Escaped = Value;
		Escaped.ReplaceInline(TEXT("&"), TEXT("&amp;"), ESearchCase::CaseSensitive);
		Escaped.ReplaceInline(TEXT("\""), TEXT("&quot;"), ESearchCase::CaseSensitive);
		Escaped.ReplaceInline(TEXT("'"), TEXT("&apos;"), ESearchCase::CaseSensitive);
		Escaped.ReplaceInline(TEXT("<"), TEXT("&lt;"), ESearchCase::CaseSensitive);
		Escaped.ReplaceInline(TEXT(">"), TEXT("&gt;"), ESearchCase::CaseSensitive);
		return Escaped;
	}

	/** Writes Root and its descendants with tab indentation, without recursion. */
	void WriteTree(const FXmlNode& Root, FString& Output)
	{
		struct FFrame
		{
			const FXmlNode* Node;
			int32 Depth;
			bool bClosing;
		};
		TArray<FFrame> Pending;
		Pending.Add(FFrame{&Root, 0, false});
		while (Pending.Num() > 0)
		{
			const FFrame Frame = Pending.Pop();
			const FXmlNode& Node = *Frame.Node;
			const FString Indent = FString::ChrN(Frame.Depth, TEXT('\t'));
			if (Frame.bClosing)
			{
				Output += Indent + TEXT("</") + Node.GetTag() + TEXT(">") + LINE_TERMINATOR;
				continue;
			}
			Output += Indent + TEXT("<") + Node.GetTag();
			for (const FXmlAttribute& Attribute : Node.GetAttributes())
			{
				Output += TEXT(" ") + Attribute.GetTag() + TEXT("=\"") + EscapeAttribute(Attribute.GetValue()) + TEXT("\"");
			}
			const TArray<FXmlNode*>& Children = Node.GetChildrenNodes();
			if (Children.Num() == 0)
			{
				if (Node.GetContent().IsEmpty())
				{
					Output += TEXT(" />") LINE_TERMINATOR;
				}
				else
				{
					Output += TEXT(">") + Node.GetContent() + TEXT("</") + Node.GetTag() + TEXT(">") + LINE_TERMINATOR;
				}
				continue;
			}
			// As in the engine, an element with children is written without its text.
			Output += TEXT(">") LINE_TERMINATOR;
			Pending.Add(FFrame{&Node, Frame.Depth, true});
			for (int32 Index = Children.Num() - 1; Index >= 0; --Index)
			{
				Pending.Add(FFrame{Children[Index], Frame.Depth + 1, false});
			}
		}
	}
}

FXmlFile::FXmlFile(const FString& InFile, EConstructMethod::Type ConstructMethod)
	: RootNode(nullptr)
	, bFileLoaded(false)
{
	LoadFile(InFile, ConstructMethod);
}

bool FXmlFile::LoadFile(const FString& InFile, EConstructMethod::Type ConstructMethod)
{
	Clear();
	ErrorMessage = LoadSuccessText;

	// The document is read where it lies; a buffer is not copied first.
	FString Loaded;
	if (ConstructMethod == EConstructMethod::ConstructFromFile)
	{
		if (!FFileHelper::LoadFileToString(Loaded, *InFile))
		{
			ErrorMessage = FString(FileLoadFailText) + TEXT("\"") + InFile + TEXT("\"");
			return false;
		}
	}
	const FString& Text = ConstructMethod == EConstructMethod::ConstructFromFile ? Loaded : InFile;

	RootNode = ParseDocument(*Text, static_cast<size_t>(Text.Len()));
	bFileLoaded = RootNode != nullptr;
	if (!bFileLoaded)
	{
		ErrorMessage = ParseFailText;
		LoadedFile = FString();
		return false;
	}
	if (ConstructMethod == EConstructMethod::ConstructFromFile)
	{
		LoadedFile = InFile;
	}
	return true;
}

FString FXmlFile::GetLastError() const
{
	return ErrorMessage;
}

void FXmlFile::Clear()
{
	if (bFileLoaded)
	{
		delete RootNode;
		RootNode = nullptr;
		bFileLoaded = false;
		LoadedFile = FString();
		ErrorMessage = ClearSuccessText;
	}
}

bool FXmlFile::IsValid() const
{
	return bFileLoaded;
}

const FXmlNode* FXmlFile::GetRootNode() const
{
	return RootNode;
}

FXmlNode* FXmlFile::GetRootNode()
{
	return RootNode;
}

bool FXmlFile::Save(const FString& Path)
{
	FString Xml = TEXT("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") LINE_TERMINATOR;
	if (RootNode != nullptr)
	{
		WriteTree(*RootNode, Xml);
	}
	if (!FFileHelper::SaveStringToFile(Xml, *Path, FFileHelper::EEncodingOptions::ForceUTF8WithoutBOM))
	{
		ErrorMessage = FString(FileSaveFailText) + TEXT("\"") + Path + TEXT("\"");
		return false;
	}
	return true;
}
