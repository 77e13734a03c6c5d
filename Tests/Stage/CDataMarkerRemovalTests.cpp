// Copyright Kelmora. All Rights Reserved.
// The in-place CDATA marker removal of the stage reader against the two FString::ReplaceInline calls it
// replaced, on text that straddles its blocks, mixes letter case and holds nulls, CRLF and entity-like text.
#include "CoreMinimal.h"
#include "OrvaneTextInPlace.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace
{
	std::u16string Reference(const std::u16string& Text)
	{
		FString Result(static_cast<int32>(Text.size()), Text.data());
		Result.ReplaceInline(TEXT("<![CDATA["), TEXT(""), ESearchCase::IgnoreCase);
		Result.ReplaceInline(TEXT("]]>"), TEXT(""), ESearchCase::IgnoreCase);
		return Result.GetHostString();
	}

	std::u16string InPlace(std::u16string Text)
	{
		const int32 Length = OrvaneTextInPlace::RemoveCDataMarkers(Text.data(), static_cast<int32>(Text.size()));
		Text.resize(static_cast<size_t>(Length));
		return Text;
	}

	void ExpectSameAsReference(const std::u16string& Text)
	{
		const std::u16string Want = Reference(Text);
		const std::u16string Got = InPlace(Text);
		ASSERT_EQ(Got.size(), Want.size()) << TCHAR_TO_UTF8(Text.substr(0, 200).c_str());
		EXPECT_TRUE(Got == Want) << TCHAR_TO_UTF8(Text.substr(0, 200).c_str());
	}
}

TEST(CDataMarkerRemoval, MatchesReplaceInlineOnTrickyText)
{
	const std::u16string Cases[] = {
		u"",
		u"<![CDATA[",
		u"]]>",
		u"<![CDATA[v 1 2 3]]>",
		u"<![cdata[x]]><![CdAtA[y]]>",
		u"]<![CDATA[]>",
		u"]]<![CDATA[>",
		u"<![CDA<![CDATA[TA[",
		u"]]]>>",
		u"]]]]>>>",
		u"<![CDATA",
		u"]]",
		u"a<![CDATA[b\r\nc]]>d\r\n",
		std::u16string(u"a\0<![CDATA[\0b]]>\0", 17),
		std::u16string(u"]]\0>", 4),
		u"&lt;![CDATA[ &amp; ]]&gt; <!&#91;CDATA[",
		u"<<![CDATA[![CDATA[]]>]]>",
	};
	for (const std::u16string& Case : Cases)
	{
		ExpectSameAsReference(Case);
	}
}

TEST(CDataMarkerRemoval, MatchesReplaceInlineAcrossBlockBoundaries)
{
	// The removal works a block of 65536 characters at a time; markers and near-markers are placed at every
	// offset around the first two block ends, after padding that the opening markers shift.
	const std::u16string Clusters[] = {u"<![CDATA[", u"]]>", u"]<![CDATA[]>", u"]]<![cdata[>", u"<![CDA<![CDATA[TA[", u"]]]>", u"<![CDATA"};
	for (int32 BlockEnd : {65536, 131072})
	{
		for (const std::u16string& Cluster : Clusters)
		{
			for (int32 Offset = -12; Offset <= 12; ++Offset)
			{
				std::u16string Text = u"<![CDATA[";
				Text.append(static_cast<size_t>(BlockEnd + Offset - 9), u'x');
				Text += Cluster;
				Text += u"tail]]>";
				ExpectSameAsReference(Text);
				if (::testing::Test::HasFailure())
				{
					return;
				}
			}
		}
	}
}

TEST(CDataMarkerRemoval, MatchesReplaceInlineOnRandomText)
{
	static const char16_t* const Pieces[] = {u"<![CDATA[", u"<![cdata[", u"]]>", u"]", u"]]", u">", u"<", u"<!", u"[", u"CDATA", u"x", u"\r\n"};
	std::mt19937 Random(99u);
	for (int32 Case = 0; Case < 5000; ++Case)
	{
		std::u16string Text;
		const int32 Count = std::uniform_int_distribution<int32>(0, 40)(Random);
		for (int32 Piece = 0; Piece < Count; ++Piece)
		{
			const int32 Index = std::uniform_int_distribution<int32>(0, 12)(Random);
			Text += Index == 12 ? std::u16string(1, u'\0') : std::u16string(Pieces[Index]);
		}
		ExpectSameAsReference(Text);
		if (::testing::Test::HasFailure())
		{
			return;
		}
	}
}
