// Copyright Kelmora. All Rights Reserved.
#include "OrvaneStageImporter.h"

#include "HAL/PlatformFileManager.h"
#include "Misc/FileHelper.h"
#include "OrvaneNumbers.h"
#include "OrvaneTextInPlace.h"
#include "XmlFile.h"
#include "XmlNode.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <clocale>
#include <cstring>
#include <string>

namespace
{
	/** White space as the C library's conversions skip it before a number. */
	bool IsCSpace(TCHAR Char)
	{
		return Char == ' ' || Char == '\t' || Char == '\n' || Char == '\v' || Char == '\f' || Char == '\r';
	}

	/**
	 * Whether a character can be part of a number as the C library reads it in the "C" locale: digits, letters
	 * (exponents, hexadecimal, inf, nan), signs, the point, and what nan(...) may hold.
	 */
	bool MayBeInNumber(TCHAR Char)
	{
		return (Char >= '0' && Char <= '9') || (Char >= 'a' && Char <= 'z') || (Char >= 'A' && Char <= 'Z') || Char == '+' || Char == '-' || Char == '.' || Char == '_' || Char == '(' || Char == ')';
	}

	/**
	 * The C library's decimal-to-double conversion of the start of Token, read as in the "C" locale. The
	 * conversion needs a terminated text, and the token is a view into a larger one, so the number's
	 * characters are copied out; it also takes the process locale's decimal point, so the text's "." is
	 * handed to it as that point, and characters a locale might read differently are never handed over.
	 */
	double ReadWithCLibrary(FStringView Token)
	{
		const TCHAR* const Chars = Token.GetData();
		const int32 Length = Token.Len();
		int32 Start = 0;
		while (Start < Length && IsCSpace(Chars[Start]))
		{
			++Start;
		}
		int32 End = Start;
		while (End < Length && MayBeInNumber(Chars[End]))
		{
			++End;
		}
		if (End == Start)
		{
			return 0.0;
		}
		const char* const Point = std::localeconv()->decimal_point;
		const size_t PointLength = std::strlen(Point);
		const bool bPlainPoint = PointLength == 1 && Point[0] == '.';
		char Small[128];
		std::string Large;
		char* Narrow = Small;
		const size_t Needed = static_cast<size_t>(End - Start) * FMath::Max<size_t>(PointLength, 1) + 1;
		if (Needed > sizeof(Small))
		{
			Large.resize(Needed);
			Narrow = Large.data();
		}
		size_t Written = 0;
		for (int32 Index = Start; Index < End; ++Index)
		{
			if (Chars[Index] == '.' && !bPlainPoint)
			{
				std::memcpy(Narrow + Written, Point, PointLength);
				Written += PointLength;
			}
			else
			{
				Narrow[Written++] = static_cast<char>(Chars[Index]);
			}
		}
		Narrow[Written] = '\0';
		return std::strtod(Narrow, nullptr);
	}

	/**
	 * Reads a number the way the C library's decimal-to-double conversion does: leading white space, sign,
	 * digits, fraction and exponent, stopping at the first character that does not fit; 0 when there is none.
	 */
	double ParseDouble(FStringView Token)
	{
		// Hot: raw pointers.
		const TCHAR* const Chars = Token.GetData();
		{
			// Plain decimals ("-12.345678", as OBJ writers print them) whose digits fit in 15 and whose fraction
			// has at most 22 digits: the digits as an integer and the power of ten are both exact doubles, so one
			// division rounds exactly as the C library does. Anything else takes the general path below.
			static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
			const TCHAR* At = Chars;
			const TCHAR* const End = Chars + Token.Len();
			const bool bNegative = At != End && *At == '-';
			At += bNegative ? 1 : 0;
			uint64 Digits = 0;
			int32 DigitCount = 0;
			int32 FractionCount = 0;
			for (; At != End && *At >= '0' && *At <= '9'; ++At, ++DigitCount)
			{
				Digits = Digits * 10 + static_cast<uint64>(*At - '0');
			}
			if (At != End && *At == '.')
			{
				for (++At; At != End && *At >= '0' && *At <= '9'; ++At, ++DigitCount, ++FractionCount)
				{
					Digits = Digits * 10 + static_cast<uint64>(*At - '0');
				}
			}
			if (At == End && DigitCount > 0 && DigitCount <= 15 && FractionCount <= 22)
			{
				const double Value = static_cast<double>(Digits) / PowersOfTen[FractionCount];
				return bNegative ? -Value : Value;
			}
		}
		return ReadWithCLibrary(Token);
	}

	/** The C library's decimal-to-int conversion, saturating instead of overflowing. */
	int64 ParseInteger(FStringView Token)
	{
		// Hot (two per face corner): raw pointers, and no white-space test when a digit comes first.
		const TCHAR* At = Token.GetData();
		const TCHAR* const End = At + Token.Len();
		bool bNegative = false;
		if (At != End && !FChar::IsDigit(*At))
		{
			while (At != End && FChar::IsWhitespace(*At))
			{
				++At;
			}
			if (At != End && (*At == '-' || *At == '+'))
			{
				bNegative = *At == '-';
				++At;
			}
		}
		constexpr int64 Saturated = static_cast<int64>(TNumericLimits<int32>::Max()) + 1;
		int64 Value = 0;
		for (; At != End && FChar::IsDigit(*At); ++At)
		{
			Value = Value * 10 + (*At - '0');
			if (Value > Saturated)
			{
				// More digits only make it larger, so it stays saturated; a rarely taken branch keeps the clamp out of
				// each digit's arithmetic.
				Value = Saturated;
				break;
			}
		}
		Value = bNegative ? -Value : Value;
		return FMath::Clamp<int64>(Value, TNumericLimits<int32>::Min(), TNumericLimits<int32>::Max());
	}

	/** A zero-based index from a one-based OBJ index. */
	int32 ToZeroBased(FStringView Token)
	{
		return static_cast<int32>(FMath::Max<int64>(ParseInteger(Token) - 1, TNumericLimits<int32>::Min()));
	}

	/** Calls Visit for each blank-separated token of the line; runs of blanks count as one separator. */
	template <typename VisitorType>
	int32 ForEachToken(FStringView Line, VisitorType Visit)
	{
		// Hot (every OBJ line): raw pointers.
		const TCHAR* const Chars = Line.GetData();
		const int32 Length = Line.Len();
		int32 Count = 0;
		int32 Index = 0;
		while (Index < Length)
		{
			while (Index < Length && Chars[Index] == ' ')
			{
				++Index;
			}
			const int32 Start = Index;
			while (Index < Length && Chars[Index] != ' ')
			{
				++Index;
			}
			if (Index > Start)
			{
				if (!Visit(Count, FStringView(Line.GetData() + Start, Index - Start)))
				{
					return Count + 1;
				}
				++Count;
			}
		}
		return Count;
	}

	/** Whether Line starts with the 7-bit Prefix, compared without regard to case. */
	bool StartsWithIgnoreCase(FStringView Line, const TCHAR* Prefix)
	{
		// Hot (every OBJ line): raw pointers.
		const TCHAR* const Chars = Line.GetData();
		int32 Index = 0;
		for (; Prefix[Index] != 0; ++Index)
		{
			if (Index >= Line.Len() || FChar::ToLower(Chars[Index]) != FChar::ToLower(Prefix[Index]))
			{
				return false;
			}
		}
		return true;
	}

	FStringView TrimView(FStringView Text)
	{
		const TCHAR* const Chars = Text.GetData();
		int32 Start = 0;
		int32 End = Text.Len();
		while (Start < End && FChar::IsWhitespace(Chars[Start]))
		{
			++Start;
		}
		while (End > Start && FChar::IsWhitespace(Chars[End - 1]))
		{
			--End;
		}
		return FStringView(Chars + Start, End - Start);
	}

	/** One bit per character of a text: the blanks that the flattened-text repair turns into line feeds. */
	class FLineBreakBits
	{
	public:
		explicit FLineBreakBits(int32 Length)
		{
			Words.SetNumZeroed((Length + 63) / 64);
		}
		bool IsSet(int32 Index) const { return (Words[Index >> 6] >> (Index & 63)) & 1; }
		void Set(int32 Index) { Words[Index >> 6] |= uint64(1) << (Index & 63); }
		/** The first set index in [From, To), or To. */
		int32 FindNext(int32 From, int32 To) const
		{
			int32 Word = From >> 6;
			uint64 Bits = From < To ? Words[Word] & (~uint64(0) << (From & 63)) : 0;
			while (Bits == 0)
			{
				if (++Word >= Words.Num() || (Word << 6) >= To)
				{
					return To;
				}
				Bits = Words[Word];
			}
			return FMath::Min((Word << 6) + static_cast<int32>(std::countr_zero(Bits)), To);
		}

	private:
		TArray<uint64> Words;
	};

	/**
	 * Whether Pattern matches at Index, compared without regard to ASCII case, in the text as the repair has
	 * left it so far: a blank it turned into a line feed matches no pattern character.
	 */
	bool MatchesIgnoreCase(const TCHAR* Data, int32 Length, const FLineBreakBits& Breaks, int32 Index, const TCHAR* Pattern, int32 PatternLength)
	{
		if (Index + PatternLength > Length)
		{
			return false;
		}
		// The second character first (every keyword has one): it turns away nearly every candidate.
		if (FChar::ToLower(Data[Index + 1]) != FChar::ToLower(Pattern[1]))
		{
			return false;
		}
		for (int32 Offset = 0; Offset < PatternLength; ++Offset)
		{
			if (FChar::ToLower(Data[Index + Offset]) != FChar::ToLower(Pattern[Offset]) || Breaks.IsSet(Index + Offset))
			{
				return false;
			}
		}
		return true;
	}

	/**
	 * 1 when a character may follow the blank of a keyword (v, f, o, s or #, either case; a few others pass
	 * too), else 0; with bit operations only, so that compilers can test many characters at once.
	 */
	uint32 MayFollowKeywordBlank(TCHAR Char)
	{
		const uint32 Folded = static_cast<uint32>(Char) | 0x20;
		return static_cast<uint32>(Folded == 'v') | static_cast<uint32>(Folded == 'f') | static_cast<uint32>(Folded == 'o') | static_cast<uint32>(Folded == 's') | static_cast<uint32>(Folded == '#');
	}

	/**
	 * For each keyword in turn, marks left to right without overlaps each occurrence of it (keywords start with
	 * a blank) as a line break at its blank, each keyword seeing the breaks of those before it; all in one sweep
	 * over the text, each keyword's pass trailing the one before it by Lag positions, block by block. After each
	 * block, OnSettled(Settled) is told that no break below Settled will change any more (Settled reaches
	 * Length at the end), so lines can be read while their text is still in cache.
	 */
	template <typename SettledType>
	void FindBreaksBeforeKeywords(const TCHAR* Data, int32 Length, FLineBreakBits& Breaks, SettledType&& OnSettled)
	{
		// A pass only marks the first character of a match, and a later pass at position P only reads up to
		// P + 3, so once every earlier pass has moved past P + 3 it sees what whole earlier passes would leave
		// there; and an earlier pass, being ahead, never reads what a later one marks.
		constexpr int32 Lag = 4;
		constexpr int32 BlockSize = 16384;
		static const TCHAR* const Keywords[] = {TEXT(" v "), TEXT(" vt "), TEXT(" f "), TEXT(" o "), TEXT(" s "), TEXT(" #")};
		constexpr int32 KeywordCount = UE_ARRAY_COUNT(Keywords);
		int32 KeywordLengths[KeywordCount];
		int32 Resume[KeywordCount];
		int32 Cursor[KeywordCount];
		for (int32 Keyword = 0; Keyword < KeywordCount; ++Keyword)
		{
			KeywordLengths[Keyword] = FCString::Strlen(Keywords[Keyword]);
			check(MayFollowKeywordBlank(Keywords[Keyword][1]) != 0);
			Resume[Keyword] = 0;
			Cursor[Keyword] = 0;
		}

		// A match needs a blank followed by a keyword's second character; only such positions are tried.
		// Marking breaks never makes a new one, so they can be listed ahead of the passes. Those no pass has
		// reached yet lie within the last Lag * KeywordCount positions, so a block's worth fits.
		TArray<int32> Candidates;
		Candidates.SetNumUninitialized(BlockSize + Lag * KeywordCount + 1);
		int32 CandidateCount = 0;
		int32 Scanned = 0;
		const int64 Total = static_cast<int64>(Length) + static_cast<int64>(Lag) * (KeywordCount - 1);
		for (int64 Limit = 0; Limit < Total;)
		{
			Limit = FMath::Min<int64>(Limit + BlockSize, Total);
			const int32 ScanEnd = static_cast<int32>(FMath::Min<int64>(Limit, static_cast<int64>(Length) - 1));
			// Candidates are flagged a group at a time without a branch per character (compilers turn this into
			// vector compares), then listed from the flags, eight at a time passed over when none is set; the character after each scanned one
			// is always in the text.
			constexpr int32 GroupSize = 32;
			for (; Scanned + GroupSize <= ScanEnd; Scanned += GroupSize)
			{
				const TCHAR* const Group = Data + Scanned;
				uint8 Flags[GroupSize];
				for (int32 Offset = 0; Offset < GroupSize; ++Offset)
				{
					Flags[Offset] = static_cast<uint8>(static_cast<uint32>(Group[Offset] == ' ') & MayFollowKeywordBlank(Group[Offset + 1]));
				}
				for (int32 Word = 0; Word < GroupSize; Word += 8)
				{
					uint64 Bits;
					std::memcpy(&Bits, Flags + Word, sizeof(Bits));
					if (Bits != 0)
					{
						for (int32 Offset = Word; Offset < Word + 8; ++Offset)
						{
							Candidates[CandidateCount] = Scanned + Offset;
							CandidateCount += Flags[Offset];
						}
					}
				}
			}
			for (; Scanned < ScanEnd; ++Scanned)
			{
				if (Data[Scanned] == ' ' && MayFollowKeywordBlank(Data[Scanned + 1]) != 0)
				{
					Candidates[CandidateCount++] = Scanned;
				}
			}

			int32 Consumed = CandidateCount;
			for (int32 Keyword = 0; Keyword < KeywordCount; ++Keyword)
			{
				const int32 PatternLength = KeywordLengths[Keyword];
				const int64 End = FMath::Min<int64>(Limit - static_cast<int64>(Lag) * Keyword, static_cast<int64>(Length) - PatternLength + 1);
				int32 Index = Cursor[Keyword];
				for (; Index < CandidateCount && Candidates[Index] < End; ++Index)
				{
					const int32 Position = Candidates[Index];
					if (Position >= Resume[Keyword] && MatchesIgnoreCase(Data, Length, Breaks, Position, Keywords[Keyword], PatternLength))
					{
						Breaks.Set(Position);
						Resume[Keyword] = Position + PatternLength;
					}
				}
				Cursor[Keyword] = Index;
				Consumed = FMath::Min(Consumed, Index);
			}
			for (int32 Index = Consumed; Index < CandidateCount; ++Index)
			{
				Candidates[Index - Consumed] = Candidates[Index];
			}
			CandidateCount -= Consumed;
			for (int32 Keyword = 0; Keyword < KeywordCount; ++Keyword)
			{
				Cursor[Keyword] -= Consumed;
			}
			// The last pass has been through every candidate below its end, and the ones before it further.
			OnSettled(static_cast<int32>(FMath::Min<int64>(Limit - static_cast<int64>(Lag) * (KeywordCount - 1), Length)));
		}
	}

	bool ContainsIgnoreCase(const TCHAR* Data, int32 Length, const TCHAR* Pattern)
	{
		const int32 PatternLength = FCString::Strlen(Pattern);
		const TCHAR FirstLower = FChar::ToLower(Pattern[0]);
		const TCHAR FirstUpper = FChar::ToUpper(FirstLower);
		for (int32 Index = 0; Index + PatternLength <= Length; ++Index)
		{
			if ((Data[Index] == FirstLower || Data[Index] == FirstUpper))
			{
				bool bMatches = true;
				for (int32 Offset = 1; Offset < PatternLength && bMatches; ++Offset)
				{
					bMatches = FChar::ToLower(Data[Index + Offset]) == FChar::ToLower(Pattern[Offset]);
				}
				if (bMatches)
				{
					return true;
				}
			}
		}
		return false;
	}

	float ParseFloatAttribute(const FXmlNode* Node, const TCHAR* Name)
	{
		const FString Value = Node->GetAttribute(Name);
		return Value.IsEmpty() ? 0.0f : OrvaneNumbers::NarrowToFloat(FCString::Atod(*Value));
	}

	int32 ParseIntAttribute(const FXmlNode* Node, const TCHAR* Name)
	{
		return FCString::Atoi(*Node->GetAttribute(Name));
	}

	/** The x, y and z attributes of the named child element; zeros when it is missing. */
	template <typename XYZType>
	XYZType ReadXYZElement(const FXmlNode* ParentNode, const FString& ChildName)
	{
		XYZType Result;
		if (const FXmlNode* Node = ParentNode ? ParentNode->FindChildNode(ChildName) : nullptr)
		{
			Result.X = ParseFloatAttribute(Node, TEXT("x"));
			Result.Y = ParseFloatAttribute(Node, TEXT("y"));
			Result.Z = ParseFloatAttribute(Node, TEXT("z"));
		}
		return Result;
	}

	/** The Count numbers after the keyword of an OBJ line, each read as a float; false when the line has fewer. */
	template <int32 Count>
	bool ReadCoordinates(FStringView Line, double (&OutCoordinates)[Count])
	{
		const int32 Tokens = ForEachToken(Line, [&OutCoordinates](int32 Index, FStringView Token)
			{
				if (Index >= 1 && Index <= Count)
				{
					OutCoordinates[Index - 1] = OrvaneNumbers::NarrowToFloat(ParseDouble(Token));
				}
				return true; });
		return Tokens > Count;
	}
}

bool UOrvaneStageImporter::ParseOrvaneFile(const FString& FilePath, FOrvaneStageData& OutStageData, FString& OutErrorMessage)
{
	OutStageData = FOrvaneStageData();

	if (!FPlatformFileManager::Get().GetPlatformFile().FileExists(*FilePath))
	{
		OutErrorMessage = FString::Printf(TEXT("File does not exist: %s"), *FilePath);
		return false;
	}

	TSharedPtr<FXmlFile> XmlFile;
	if (!ParseXMLFile(FilePath, XmlFile, OutErrorMessage))
	{
		return false;
	}

	const FXmlNode* RootNode = XmlFile->GetRootNode();
	if (!RootNode)
	{
		OutErrorMessage = TEXT("No root node found in XML file");
		return false;
	}
	const FXmlNode* StagesNode = RootNode->FindChildNode(TEXT("stages"));
	if (!StagesNode)
	{
		OutErrorMessage = TEXT("No 'stages' element found in XML");
		return false;
	}
	const FXmlNode* StageNode = StagesNode->FindChildNode(TEXT("stage"));
	if (!StageNode)
	{
		OutErrorMessage = TEXT("No 'stage' element found in stages");
		return false;
	}

	ParseStageElement(StageNode, OutStageData);

	if (const FXmlNode* MeshesNode = RootNode->FindChildNode(TEXT("meshes")))
	{
		// Normalized file reference to the index of its mesh in Meshes; a later equal reference wins.
		TMap<FString, int32> MeshByReference;
		for (const FXmlNode* MeshNode : MeshesNode->GetChildrenNodes())
		{
			if (!MeshNode || MeshNode->GetTag() != TEXT("mesh"))
			{
				continue;
			}
			const FString FileRef = MeshNode->GetAttribute(TEXT("fileref"));
			if (FileRef.IsEmpty())
			{
				continue;
			}
			const FString& Content = MeshNode->GetContent();
			if (Content.IsEmpty())
			{
				continue;
			}
			FOrvaneMeshData MeshData;
			if (!ParseOBJContent(Content, MeshData))
			{
				continue;
			}
			MeshByReference.Add(NormalizePath(FileRef), OutStageData.Meshes.Add(MoveTemp(MeshData)));
		}
		// The document can be large; nothing more is read from it.
		XmlFile.Reset();

		for (FOrvaneWallData& Wall : OutStageData.Walls)
		{
			if (const int32* MeshIndex = MeshByReference.Find(NormalizePath(Wall.ModelPath)))
			{
				Wall.MeshData = OutStageData.Meshes[*MeshIndex];
				Wall.bHasMeshData = true;
			}
		}
	}

	OutStageData.WallCount = OutStageData.Walls.Num();
	OutStageData.MeshCount = OutStageData.Meshes.Num();
	OutStageData.MappingCount = OutStageData.Mappings.Num();
	OutErrorMessage = TEXT("Success");
	return true;
}

bool UOrvaneStageImporter::ParseXMLFile(const FString& FilePath, TSharedPtr<FXmlFile>& OutXmlFile, FString& OutErrorMessage)
{
	FString Text;
	if (!FFileHelper::LoadFileToString(Text, *FilePath))
	{
		OutErrorMessage = FString::Printf(TEXT("Failed to load file: %s"), *FilePath);
		return false;
	}
	if (Text.Len() > 0 && Text[0] == 0xFEFF)
	{
		Text.RemoveAt(0, 1);
	}
	Text.TrimStartAndEndInline();
	// CDATA markers go, so that the OBJ text they wrapped becomes ordinary element text; edited in place, as
	// the text can be hundreds of megabytes.
	if (!Text.IsEmpty())
	{
		const int32 Length = OrvaneTextInPlace::RemoveCDataMarkers(&Text[0], Text.Len());
		if (Length < Text.Len())
		{
			Text.RemoveAt(Length, Text.Len() - Length);
		}
	}

	OutXmlFile = MakeShared<FXmlFile>(Text, EConstructMethod::ConstructFromBuffer);
	if (!OutXmlFile->IsValid())
	{
		OutErrorMessage = FString::Printf(TEXT("Invalid XML file: %s. Error: %s"), *FilePath, *OutXmlFile->GetLastError());
		OutXmlFile.Reset();
		return false;
	}
	return true;
}

bool UOrvaneStageImporter::ParseStageElement(const FXmlNode* StageNode, FOrvaneStageData& OutStageData)
{
	OutStageData.StageName = GetElementText(StageNode, TEXT("label"), TEXT("Unknown Stage"));
	OutStageData.Description = GetElementText(StageNode, TEXT("description"), TEXT(""));

	const FXmlNode* WallsNode = StageNode->FindChildNode(TEXT("walls"));
	if (!WallsNode)
	{
		return true;
	}
	for (const FXmlNode* WallNode : WallsNode->GetChildrenNodes())
	{
		if (!WallNode || WallNode->GetTag() != TEXT("wall"))
		{
			continue;
		}
		FOrvaneWallData Wall;
		if (ParseWallElement(WallNode, Wall))
		{
			OutStageData.Walls.Add(MoveTemp(Wall));
		}
	}

	const FXmlNode* MappingsNode = StageNode->FindChildNode(TEXT("mappings"));
	if (!MappingsNode)
	{
		return true;
	}
	for (const FXmlNode* MappingNode : MappingsNode->GetChildrenNodes())
	{
		if (!MappingNode || MappingNode->GetTag() != TEXT("mapping"))
		{
			continue;
		}
		FOrvaneMapping Mapping;
		ParseMappingElement(MappingNode, Mapping);
		OutStageData.Mappings.Add(Mapping);
		if (FOrvaneWallData* Wall = OutStageData.Walls.FindByPredicate([&Mapping](const FOrvaneWallData& Candidate)
				{ return Candidate.UUID == Mapping.WallUUID; }))
		{
			Wall->Mapping = MoveTemp(Mapping);
			Wall->bHasMapping = true;
		}
	}
	return true;
}

bool UOrvaneStageImporter::ParseWallElement(const FXmlNode* WallNode, FOrvaneWallData& OutWallData)
{
	OutWallData.UUID = WallNode->GetAttribute(TEXT("uuid"));
	if (OutWallData.UUID.IsEmpty())
	{
		return false;
	}
	OutWallData.Label = GetElementText(WallNode, TEXT("label"), TEXT(""));
	OutWallData.ModelPath = GetElementText(WallNode, TEXT("model"), TEXT(""));
	OutWallData.bActive = GetElementBool(WallNode, TEXT("active"), false);
	OutWallData.Scale = GetElementFloat(WallNode, TEXT("scale"), 1.0f);
	OutWallData.Position = GetElementPosition(WallNode, TEXT("position"));
	OutWallData.Rotation = GetElementRotation(WallNode, TEXT("rotation"));
	OutWallData.Resolution = GetElementResolution(WallNode, TEXT("resolution"));
	OutWallData.Tiles = GetElementTiles(WallNode, TEXT("tiles"));
	return true;
}

bool UOrvaneStageImporter::ParseMappingElement(const FXmlNode* MappingNode, FOrvaneMapping& OutMapping)
{
	OutMapping.WallUUID = MappingNode->GetAttribute(TEXT("wall"));
	OutMapping.Channel = MappingNode->GetAttribute(TEXT("channel"));
	OutMapping.Display = MappingNode->GetAttribute(TEXT("display"));
	for (const FXmlNode* PropertyNode : MappingNode->GetChildrenNodes())
	{
		if (PropertyNode)
		{
			OutMapping.Properties.Add(PropertyNode->GetTag(), PropertyNode->GetContent());
		}
	}
	return true;
}

FString UOrvaneStageImporter::GetElementText(const FXmlNode* ParentNode, const FString& ChildName, const FString& DefaultValue)
{
	if (!ParentNode)
	{
		return DefaultValue;
	}
	const FXmlNode* ChildNode = ParentNode->FindChildNode(ChildName);
	return ChildNode ? ChildNode->GetContent() : DefaultValue;
}

bool UOrvaneStageImporter::GetElementBool(const FXmlNode* ParentNode, const FString& ChildName, bool bDefaultValue)
{
	const FString Text = GetElementText(ParentNode, ChildName, TEXT(""));
	if (Text.IsEmpty())
	{
		return bDefaultValue;
	}
	return Text.Equals(TEXT("Y"), ESearchCase::IgnoreCase) || Text.Equals(TEXT("true"), ESearchCase::IgnoreCase) || Text.Equals(TEXT("1"), ESearchCase::CaseSensitive);
}

float UOrvaneStageImporter::GetElementFloat(const FXmlNode* ParentNode, const FString& ChildName, float DefaultValue)
{
	const FString Text = GetElementText(ParentNode, ChildName, TEXT(""));
	return Text.IsEmpty() ? DefaultValue : OrvaneNumbers::NarrowToFloat(FCString::Atod(*Text));
}

FOrvanePosition UOrvaneStageImporter::GetElementPosition(const FXmlNode* ParentNode, const FString& ChildName)
{
	return ReadXYZElement<FOrvanePosition>(ParentNode, ChildName);
}

FOrvaneRotation UOrvaneStageImporter::GetElementRotation(const FXmlNode* ParentNode, const FString& ChildName)
{
	return ReadXYZElement<FOrvaneRotation>(ParentNode, ChildName);
}

FOrvaneResolution UOrvaneStageImporter::GetElementResolution(const FXmlNode* ParentNode, const FString& ChildName)
{
	FOrvaneResolution Resolution;
	if (const FXmlNode* Node = ParentNode ? ParentNode->FindChildNode(ChildName) : nullptr)
	{
		Resolution.X = ParseIntAttribute(Node, TEXT("x"));
		Resolution.Y = ParseIntAttribute(Node, TEXT("y"));
	}
	return Resolution;
}

FOrvaneTiles UOrvaneStageImporter::GetElementTiles(const FXmlNode* ParentNode, const FString& ChildName)
{
	FOrvaneTiles Tiles;
	if (const FXmlNode* Node = ParentNode ? ParentNode->FindChildNode(ChildName) : nullptr)
	{
		Tiles.Columns = ParseIntAttribute(Node, TEXT("c"));
		Tiles.Rows = ParseIntAttribute(Node, TEXT("r"));
	}
	return Tiles;
}

FString UOrvaneStageImporter::NormalizePath(const FString& Path)
{
	FString Result = Path;
	if (Result.StartsWith(TEXT("\""), ESearchCase::CaseSensitive))
	{
		Result.RemoveAt(0, 1);
	}
	if (Result.EndsWith(TEXT("\""), ESearchCase::CaseSensitive))
	{
		Result.RemoveAt(Result.Len() - 1, 1);
	}
	Result.ReplaceInline(TEXT("\\\\"), TEXT("\\"), ESearchCase::CaseSensitive);
	Result.ReplaceInline(TEXT("\\"), TEXT("/"), ESearchCase::CaseSensitive);
	return Result;
}

bool UOrvaneStageImporter::ParseOBJContent(const FString& Content, FOrvaneMeshData& OutMeshData)
{
	// The text is read where it lies (it can be hundreds of megabytes): line breaks are found, never written.
	const TCHAR* const Data = *Content;
	const int32 Length = Content.Len();

	TArray<FOrvaneVertex> Corners;
	auto ReadLine = [&](int32 LineStart, int32 LineEnd)
	{
		const FStringView Line = TrimView(FStringView(Data + LineStart, LineEnd - LineStart));
		if (Line.IsEmpty())
		{
			return;
		}
		if (Line[0] == '#')
		{
			const FStringView Remainder = TrimView(Line.RightChop(1));
			for (int32 Index = 0; Index < Remainder.Len(); ++Index)
			{
				if (Remainder[Index] == '=')
				{
					const FStringView Key = TrimView(Remainder.Left(Index));
					const FStringView Value = TrimView(Remainder.RightChop(Index + 1));
					OutMeshData.Metadata.Add(FString(Key.Len(), Key.GetData()), FString(Value.Len(), Value.GetData()));
					break;
				}
			}
		}
		else if (StartsWithIgnoreCase(Line, TEXT("v ")))
		{
			FVector Vertex;
			if (ParseOBJVertex(Line, Vertex))
			{
				OutMeshData.Vertices.Add(Vertex);
			}
		}
		else if (StartsWithIgnoreCase(Line, TEXT("vt ")))
		{
			FVector2D UV;
			if (ParseOBJUV(Line, UV))
			{
				OutMeshData.UVs.Add(UV);
			}
		}
		else if (StartsWithIgnoreCase(Line, TEXT("f ")))
		{
			if (ParseOBJFace(Line, Corners))
			{
				FOrvaneFace& Face = OutMeshData.Faces.Emplace_GetRef();
				Face.Vertices = Corners;
			}
		}
	};

	if (OrvaneTextInPlace::FindEither(Data, 0, Length, '\n', '\r') < Length)
	{
		// A line ends at a line feed, a carriage return, or the pair of them.
		int32 LineStart = 0;
		while (LineStart < Length)
		{
			int32 LineEnd = LineStart;
			while (LineEnd < Length && Data[LineEnd] != '\n' && Data[LineEnd] != '\r')
			{
				++LineEnd;
			}
			ReadLine(LineStart, LineEnd);
			LineStart = LineEnd + ((LineEnd + 1 < Length && Data[LineEnd] == '\r' && Data[LineEnd + 1] == '\n') ? 2 : 1);
		}
	}
	else if (ContainsIgnoreCase(Data, Length, TEXT(" v ")))
	{
		// Text whose line breaks became blanks (as element text of the stage file arrives) gets them back.
		// Breaks are never next to each other (each is followed by a keyword's letter), so no empty lines
		// need folding; the text is trimmed as a whole, then read line by line.
		FLineBreakBits Breaks(Length);
		const FStringView Trimmed = TrimView(FStringView(Data, Length));
		const int32 Start = static_cast<int32>(Trimmed.GetData() - Data);
		const int32 End = Start + Trimmed.Len();
		int32 LineStart = Start;
		// Each line is read as soon as the break that ends it is settled, while its text is still in cache.
		FindBreaksBeforeKeywords(Data, Length, Breaks, [&](int32 Settled)
			{
				const int32 Known = FMath::Min(Settled, End);
				while (LineStart < End)
				{
					const int32 LineEnd = Breaks.FindNext(LineStart, Known);
					if (LineEnd == Known && Known < End)
					{
						return;
					}
					ReadLine(LineStart, LineEnd);
					LineStart = LineEnd + 1;
				} });
	}
	else if (Length > 0)
	{
		ReadLine(0, Length);
	}

	return OutMeshData.Vertices.Num() > 0 && OutMeshData.Faces.Num() > 0;
}

bool UOrvaneStageImporter::ParseOBJVertex(FStringView Line, FVector& OutVertex)
{
	double Coordinates[3] = {0.0, 0.0, 0.0};
	if (!ReadCoordinates(Line, Coordinates))
	{
		return false;
	}
	OutVertex = FVector(Coordinates[0], Coordinates[1], Coordinates[2]);
	return true;
}

bool UOrvaneStageImporter::ParseOBJUV(FStringView Line, FVector2D& OutUV)
{
	double Coordinates[2] = {0.0, 0.0};
	if (!ReadCoordinates(Line, Coordinates))
	{
		return false;
	}
	OutUV = FVector2D(Coordinates[0], Coordinates[1]);
	return true;
}

bool UOrvaneStageImporter::ParseOBJFace(FStringView Line, TArray<FOrvaneVertex>& OutVertices)
{
	OutVertices.Reset();
	// One pass: the corners are read as the words are counted, and dropped when there are too few.
	const int32 Tokens = ForEachToken(Line, [&OutVertices](int32 Index, FStringView Token)
		{
			if (Index == 0)
			{
				return true;
			}
			// v, v/t, v/t/n or v//n: the parts between slashes, empty ones kept.
			FOrvaneVertex Corner;
			int32 FirstSlash = INDEX_NONE;
			int32 SecondSlash = INDEX_NONE;
			for (int32 Offset = 0; Offset < Token.Len(); ++Offset)
			{
				if (Token.GetData()[Offset] == '/')
				{
					if (FirstSlash == INDEX_NONE)
					{
						FirstSlash = Offset;
					}
					else
					{
						SecondSlash = Offset;
						break;
					}
				}
			}
			Corner.VertexIndex = ToZeroBased(FirstSlash == INDEX_NONE ? Token : Token.Left(FirstSlash));
			Corner.UVIndex = -1;
			if (FirstSlash != INDEX_NONE)
			{
				const int32 UVEnd = SecondSlash == INDEX_NONE ? Token.Len() : SecondSlash;
				const FStringView UVPart(Token.GetData() + FirstSlash + 1, UVEnd - FirstSlash - 1);
				if (!UVPart.IsEmpty())
				{
					Corner.UVIndex = ToZeroBased(UVPart);
				}
			}
			OutVertices.Add(Corner);
			return true; });
	if (Tokens < 4)
	{
		OutVertices.Reset();
		return false;
	}
	return true;
}
