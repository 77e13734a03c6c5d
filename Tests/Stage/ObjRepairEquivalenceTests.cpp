// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "OrvaneStageImporter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace
{
	char16_t Lower(char16_t Char)
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
			if (Lower(Text[Index + Offset]) != Lower(Pattern[Offset]))
			{
				return false;
			}
		}
		return true;
	}

	/** The line breaks of flattened text put back the plain way: one whole pass per keyword, in order. */
	std::u16string ReferenceRepair(std::u16string Text)
	{
		if (Text.find(u'\n') != std::u16string::npos)
		{
			return Text;
		}
		bool bHasVertex = false;
		for (size_t Index = 0; Index < Text.size() && !bHasVertex; ++Index)
		{
			bHasVertex = MatchesAt(Text, Index, u" v ");
		}
		if (!bHasVertex)
		{
			return Text;
		}
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
		return Text;
	}

	/** Random tokens of flattened OBJ text, mostly one blank apart, sometimes none or a run of blanks. */
	std::u16string RandomFlatText(std::mt19937& Random, int32 Count)
	{
		static const char16_t* const Tokens[] = {u"v", u"V", u"vt", u"VT", u"f", u"F", u"o", u"s", u"#", u"1", u"2.5", u"-3", u"x", u"=", u"k=2", u"1/2"};
		constexpr int32 TokenCount = static_cast<int32>(sizeof(Tokens) / sizeof(Tokens[0]));
		std::u16string Text;
		for (int32 Token = 0; Token <= Count; ++Token)
		{
			const int32 Roll = std::uniform_int_distribution<int32>(0, 9)(Random);
			const int32 Blanks = Roll == 0 ? 0 : (Roll < 7 ? 1 : std::uniform_int_distribution<int32>(2, 4)(Random));
			Text.append(static_cast<size_t>(Blanks), u' ');
			if (Token < Count)
			{
				Text += Tokens[std::uniform_int_distribution<int32>(0, TokenCount - 1)(Random)];
			}
		}
		return Text;
	}

	FOrvaneMeshData Parse(const std::u16string& Text, bool& bOutOk)
	{
		FOrvaneMeshData Mesh;
		bOutOk = UOrvaneStageImporter::ParseOBJContent(FString(static_cast<int32>(Text.size()), Text.data()), Mesh);
		return Mesh;
	}

	/** Reads the flattened text and the reference repair of it; both must give the same mesh. */
	void ExpectSameAsReference(const std::u16string& Flat)
	{
		SCOPED_TRACE(std::string(TCHAR_TO_UTF8(Flat.c_str())));
		const std::u16string Repaired = ReferenceRepair(Flat);
		bool bFlatOk = false;
		bool bRepairedOk = false;
		const FOrvaneMeshData FromFlat = Parse(Flat, bFlatOk);
		const FOrvaneMeshData FromRepaired = Parse(Repaired, bRepairedOk);
		EXPECT_EQ(bFlatOk, bRepairedOk);
		ASSERT_EQ(FromFlat.Vertices.Num(), FromRepaired.Vertices.Num());
		for (int32 Index = 0; Index < FromFlat.Vertices.Num(); ++Index)
		{
			EXPECT_EQ(FromFlat.Vertices[Index], FromRepaired.Vertices[Index]);
		}
		ASSERT_EQ(FromFlat.UVs.Num(), FromRepaired.UVs.Num());
		for (int32 Index = 0; Index < FromFlat.UVs.Num(); ++Index)
		{
			EXPECT_EQ(FromFlat.UVs[Index], FromRepaired.UVs[Index]);
		}
		ASSERT_EQ(FromFlat.Faces.Num(), FromRepaired.Faces.Num());
		for (int32 Face = 0; Face < FromFlat.Faces.Num(); ++Face)
		{
			const TArray<FOrvaneVertex>& Got = FromFlat.Faces[Face].Vertices;
			const TArray<FOrvaneVertex>& Want = FromRepaired.Faces[Face].Vertices;
			ASSERT_EQ(Got.Num(), Want.Num());
			for (int32 Corner = 0; Corner < Got.Num(); ++Corner)
			{
				EXPECT_EQ(Got[Corner].VertexIndex, Want[Corner].VertexIndex);
				EXPECT_EQ(Got[Corner].UVIndex, Want[Corner].UVIndex);
			}
		}
		ASSERT_EQ(FromFlat.Metadata.Num(), FromRepaired.Metadata.Num());
		for (const TPair<FString, FString>& Entry : FromRepaired.Metadata)
		{
			const FString* Value = FromFlat.Metadata.Find(Entry.Key);
			ASSERT_NE(Value, nullptr) << TCHAR_TO_UTF8(*Entry.Key);
			EXPECT_EQ(std::string(TCHAR_TO_UTF8(**Value)), std::string(TCHAR_TO_UTF8(*Entry.Value)));
		}
	}
}

TEST(ObjRepair, ReferenceBreaksOnlyBeforeKeywords)
{
	// The reference itself, on a case worked out by hand: overlapping candidates go to the first, left to right.
	EXPECT_EQ(ReferenceRepair(u"x v v v 1 VT 2 #c"), std::u16string(u"x\nv v\nv 1\nVT 2\n#c"));
	EXPECT_EQ(ReferenceRepair(u"x vt 1 f 2"), std::u16string(u"x vt 1 f 2"));
}

TEST(ObjRepair, AdversarialFlattenedTextReadsAsTheReferenceRepairOfIt)
{
	const char16_t* Cases[] = {
		u" v v v ",
		u" vt v ",
		u" v vt ",
		u" #v ",
		u"  ",
		u"v 1 2 3 v 1 2 3 v 1 2 3 f 1 2 3",
		u" v 1 2 3 v v 1 2 3 vt v 1 2 3 f 1 2 3",
		u" v vt 1 2 v 1 2 3 v 1 2 3 f 1/1 2 3",
		u" v  v  v 1 2 3 f f 1 2 3 #v 1 2 3",
		u"# k = v v 1 2 3 # v = 1 v 2 2 2 v 3 3 3 f 1 2 3",
		u" V VT VT V V 1 1 1 v 2 2 2 v 3 3 3 F 1 2 3 o o s s # #",
		u" o v 1 2 3 s v 1 2 3 o f 1 2 3 v 4 5 6 f 1 2 4 #",
		u"v 0 0 0 v 1 0 0 v 0 1 0 f 1 2 3 #",
		u" v 1 2 3 v 4 5 6 v 7 8 9 f 1 2 3 f",
	};
	for (const char16_t* Case : Cases)
	{
		ExpectSameAsReference(Case);
	}
}

TEST(ObjRepair, RandomFlattenedTextReadsAsTheReferenceRepairOfIt)
{
	std::mt19937 Random(20240601u);
	for (int32 Case = 0; Case < 20000; ++Case)
	{
		ExpectSameAsReference(RandomFlatText(Random, std::uniform_int_distribution<int32>(0, 40)(Random)));
		if (::testing::Test::HasFailure())
		{
			return;
		}
	}
}

TEST(ObjRepair, LongFlattenedTextReadsAsTheReferenceRepairOfIt)
{
	// Long text is repaired a piece at a time: keyword clusters are placed at every offset around the first
	// 16 KiB mark, where one piece ends, after a comment whose value shows where the first break falls.
	const char16_t* Clusters[] = {
		u" vt v 1 2 3",
		u" v vt 1 2",
		u" v v v 1 2 3",
		u" #v 1 2 3",
		u" f v 1 2 3",
		u" o v 1 2 3",
		u" s # k",
		u" vt f 1 2 3",
		u" VT V 1 2 3",
		u"  v  vt  f ",
	};
	std::mt19937 Random(777u);
	for (int32 Offset = 0; Offset < 48; ++Offset)
	{
		std::u16string Head = u"# k = ";
		Head.append(static_cast<size_t>(16384 - 38 + Offset), u'x');
		for (const char16_t* Cluster : Clusters)
		{
			ExpectSameAsReference(Head + Cluster + u" v 1 2 3 v 4 5 6 f 1 2 3");
		}
		ExpectSameAsReference(Head + RandomFlatText(Random, 24));
		if (::testing::Test::HasFailure())
		{
			return;
		}
	}
	for (int32 Case = 0; Case < 4; ++Case)
	{
		ExpectSameAsReference(RandomFlatText(Random, 40000));
	}
}

TEST(ObjRepair, LinesReadWhileRepairingReadAsTheReferenceRepairOfIt)
{
	// Lines are read as soon as the repair has settled the break that ends them, block by block: lines that
	// span blocks, end right at a block's edge or hold a null character, metadata comments, keywords split or
	// run together by blanks, and non-ASCII text must all read as the reference repair of the whole text.
	static const char16_t* const Lines[] = {u"v 1.5 -2 3e2", u"vt 0.25 0.75", u"f 1/1 2/2 3/3", u"f 1 2 3 4", u"# key = value", u"#k=v v 1 2 3",
		u"o name", u"s 1", u"V 1 2 3", u"VT 1 2", u"F 3 2 1", u"v  1  2  3", u"f 1//1 2//2 3//3", u"x y z", u"v 1 2", u"f 1"};
	constexpr int32 LineCount = static_cast<int32>(sizeof(Lines) / sizeof(Lines[0]));
	std::mt19937 Random(31337u);
	for (int32 Case = 0; Case < 24; ++Case)
	{
		std::u16string Flat = Case % 3 == 0 ? u"  " : u"";
		// A long first line moves the later ones across the block edges from case to case.
		Flat += u"# pad = ";
		Flat.append(static_cast<size_t>(16384 - 40 + Case * 3), u'p');
		const size_t Target = 16384 * static_cast<size_t>(2 + Case % 2) + 50;
		while (Flat.size() < Target)
		{
			Flat += u' ';
			const int32 Roll = std::uniform_int_distribution<int32>(0, 39)(Random);
			if (Roll == 0)
			{
				Flat += u"v 1 ";
				Flat += char16_t(0);
				Flat += u" 3";
			}
			else if (Roll == 1)
			{
				Flat += u"# \u00e9 = \u4e2d";
			}
			else if (Roll == 2)
			{
				Flat += u"   ";
			}
			else if (Roll == 3)
			{
				// A long comment, so some lines span a whole block.
				Flat += u"# long = ";
				Flat.append(static_cast<size_t>(std::uniform_int_distribution<int32>(100, 20000)(Random)), u'L');
			}
			else
			{
				Flat += Lines[std::uniform_int_distribution<int32>(0, LineCount - 1)(Random)];
			}
		}
		Flat += Case % 2 == 0 ? u" f 1 2 3  " : u" v 9 9 9";
		ExpectSameAsReference(Flat);
		if (::testing::Test::HasFailure())
		{
			return;
		}
	}
}

TEST(ObjRepair, TextWithLineBreaksIsNotRepaired)
{
	// Text that still has line breaks (LF, CR or CRLF) is read line by line, blanks and keywords untouched.
	const char16_t* const Text = u"v 1 2 3 v 4 5 6\r\nv 7 8 9\rv 1 1 1\nvt 0 0 f 1/1 2/1 3/1\r\nf 1 2 4\r\n";
	bool bOk = false;
	const FOrvaneMeshData Mesh = Parse(Text, bOk);
	EXPECT_TRUE(bOk);
	// Repaired, the first line would give two vertices and the fourth a face of its own.
	EXPECT_EQ(Mesh.Vertices.Num(), 3);
	EXPECT_EQ(Mesh.UVs.Num(), 1);
	ASSERT_EQ(Mesh.Faces.Num(), 1);
	EXPECT_EQ(Mesh.Faces[0].Vertices.Num(), 3);
	std::u16string Unix = Text;
	for (size_t Index = 0; Index < Unix.size(); ++Index)
	{
		if (Unix[Index] == u'\r')
		{
			Unix[Index] = u'\n';
			if (Index + 1 < Unix.size() && Unix[Index + 1] == u'\n')
			{
				Unix.erase(Index + 1, 1);
			}
		}
	}
	bool bUnixOk = false;
	const FOrvaneMeshData UnixMesh = Parse(Unix, bUnixOk);
	EXPECT_EQ(UnixMesh.Vertices.Num(), Mesh.Vertices.Num());
	EXPECT_EQ(UnixMesh.Faces.Num(), Mesh.Faces.Num());
}
