// Copyright Kelmora. All Rights Reserved.
// Any text as inline OBJ mesh text. The lines the reader sees must be those of the plain repair below (every
// keyword's pass over the whole text in turn), whatever the block-wise repair does to get them quickly.
#include "CoreMinimal.h"
#include "FuzzSupport.h"
#include "OrvaneObjText.h"
#include "OrvaneStageImporter.h"

#include <string>
#include <vector>

namespace
{
	char16_t AsciiLower(char16_t Char)
	{
		return Char >= u'A' && Char <= u'Z' ? static_cast<char16_t>(Char - u'A' + u'a') : Char;
	}

	bool MatchesAt(const std::u16string& Text, size_t Index, const std::u16string& Pattern)
	{
		if (Index + Pattern.size() > Text.size())
		{
			return false;
		}
		for (size_t Offset = 0; Offset < Pattern.size(); ++Offset)
		{
			if (AsciiLower(Text[Index + Offset]) != Pattern[Offset])
			{
				return false;
			}
		}
		return true;
	}

	/** The lines of the text, read the plain way. */
	std::vector<std::u16string> ReferenceLines(std::u16string Text)
	{
		std::vector<std::u16string> Lines;
		if (Text.find_first_of(u"\r\n") != std::u16string::npos)
		{
			size_t Start = 0;
			while (Start < Text.size())
			{
				size_t End = Text.find_first_of(u"\r\n", Start);
				if (End == std::u16string::npos)
				{
					End = Text.size();
				}
				Lines.push_back(Text.substr(Start, End - Start));
				Start = End + ((End + 1 < Text.size() && Text[End] == u'\r' && Text[End + 1] == u'\n') ? 2 : 1);
			}
			return Lines;
		}
		bool bFlattened = false;
		for (size_t Index = 0; Index < Text.size() && !bFlattened; ++Index)
		{
			bFlattened = MatchesAt(Text, Index, u" v ");
		}
		if (!bFlattened)
		{
			if (!Text.empty())
			{
				Lines.push_back(Text);
			}
			return Lines;
		}
		// One whole pass per keyword, in order, left to right without overlaps; a blank that became a break
		// matches nothing in later passes.
		for (const std::u16string Pattern : {u" v ", u" vt ", u" f ", u" o ", u" s ", u" #"})
		{
			size_t Index = 0;
			while (Index + Pattern.size() <= Text.size())
			{
				if (MatchesAt(Text, Index, Pattern))
				{
					Text[Index] = u'\n';
					Index += Pattern.size();
				}
				else
				{
					++Index;
				}
			}
		}
		size_t Start = 0;
		size_t End = Text.size();
		while (Start < End && FChar::IsWhitespace(Text[Start]))
		{
			++Start;
		}
		while (End > Start && FChar::IsWhitespace(Text[End - 1]))
		{
			--End;
		}
		while (Start < End)
		{
			size_t LineEnd = Text.find(u'\n', Start);
			if (LineEnd == std::u16string::npos || LineEnd > End)
			{
				LineEnd = End;
			}
			Lines.push_back(Text.substr(Start, LineEnd - Start));
			Start = LineEnd + 1;
		}
		return Lines;
	}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	OrvaneFuzz::QuietLog();
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	const std::u16string Text = OrvaneFuzz::BytesToText(Data, Size);
	const FString Content = OrvaneFuzz::ToFString(Text);

	const std::vector<std::u16string> Expected = ReferenceLines(Text);
	size_t Read = 0;
	OrvaneObjText::ForEachLine(FStringView(*Content, Content.Len()), [&](FStringView Line)
		{
		OrvaneFuzz::Check(Read < Expected.size(), "no more lines than the plain repair gives");
		const std::u16string& Want = Expected[Read++];
		OrvaneFuzz::Check(static_cast<size_t>(Line.Len()) == Want.size() && std::char_traits<char16_t>::compare(reinterpret_cast<const char16_t*>(Line.GetData()), Want.data(), Want.size()) == 0, "the same line as the plain repair"); });
	OrvaneFuzz::Check(Read == Expected.size(), "as many lines as the plain repair gives");

	FOrvaneMeshData Mesh;
	const bool bRead = UOrvaneStageImporter::ParseOBJContent(Content, Mesh);
	OrvaneFuzz::Check(bRead == (Mesh.Vertices.Num() > 0 && Mesh.Faces.Num() > 0), "the result says whether a vertex and a face were read");
	return 0;
}
