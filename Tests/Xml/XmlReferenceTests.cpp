// Copyright Kelmora. All Rights Reserved.
// The host XML reader against the plain line-by-line reader it replaced, on documents built to hit the
// places where the faster one takes shortcuts: plain text lines, prolog lines, comments, quotes, line breaks.
#include "CoreMinimal.h"
#include "XmlFile.h"
#include "XmlNode.h"
#include "XmlReferenceReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	void ExpectSameTree(const FXmlNode* Node, const OrvaneXmlReference::FReferenceNode* Reference)
	{
		ASSERT_NE(Node, nullptr);
		ASSERT_NE(Reference, nullptr);
		EXPECT_EQ(Utf8(Node->GetTag()), Utf8(Reference->Tag));
		EXPECT_EQ(Utf8(Node->GetContent()), Utf8(Reference->Content));
		ASSERT_EQ(Node->GetAttributes().Num(), Reference->Attributes.Num());
		for (int32 Index = 0; Index < Reference->Attributes.Num(); ++Index)
		{
			EXPECT_EQ(Utf8(Node->GetAttributes()[Index].GetTag()), Utf8(Reference->Attributes[Index].GetTag()));
			EXPECT_EQ(Utf8(Node->GetAttributes()[Index].GetValue()), Utf8(Reference->Attributes[Index].GetValue()));
		}
		ASSERT_EQ(Node->GetChildrenNodes().Num(), Reference->Children.Num());
		for (int32 Index = 0; Index < Reference->Children.Num(); ++Index)
		{
			ExpectSameTree(Node->GetChildrenNodes()[Index], Reference->Children[Index]);
		}
	}

	void ExpectSameAsReference(const std::u16string& Document)
	{
		SCOPED_TRACE(std::string(TCHAR_TO_UTF8(Document.c_str())));
		std::u16string Working = Document;
		const std::unique_ptr<OrvaneXmlReference::FReferenceNode> Reference(OrvaneXmlReference::ParseDocument(Working));
		FXmlFile File;
		const bool bLoaded = File.LoadFile(FString(static_cast<int32>(Document.size()), Document.data()), EConstructMethod::ConstructFromBuffer);
		ASSERT_EQ(bLoaded, Reference != nullptr);
		if (bLoaded)
		{
			ExpectSameTree(File.GetRootNode(), Reference.get());
		}
	}

	/** A document of random pieces, usually inside a root element so that most of them are read. */
	std::u16string RandomDocument(std::mt19937& Random)
	{
		static const char16_t* const Pieces[] = {u"<a>", u"</a>", u"<b k=\"v w\">", u"</b>", u"<c/>", u"<d x='1'/>", u"word", u"w\"q", u"\"",
			u" ", u"  ", u"\t", u"\n", u"\r\n", u"\r", u"\n\n", u"<!--", u"-->", u"-", u"<!-- c -->", u"\n<?xml v?>\n", u"\n<!DOCTYPE d>\n",
			u"  <?XML x?>", u"&amp;", u"/", u">", u"<", u"]]>", u"\u00e9\u4e2d", u"v 1 2 3", u"f 1/1 2/2 3/3", u"\x01", u"\n  text line  \n"};
		constexpr int32 PieceCount = static_cast<int32>(sizeof(Pieces) / sizeof(Pieces[0]));
		const bool bRoot = std::uniform_int_distribution<int32>(0, 9)(Random) != 0;
		std::u16string Document = bRoot ? u"<r>" : u"";
		const int32 Count = std::uniform_int_distribution<int32>(0, 30)(Random);
		for (int32 Piece = 0; Piece < Count; ++Piece)
		{
			Document += Pieces[std::uniform_int_distribution<int32>(0, PieceCount - 1)(Random)];
		}
		if (bRoot)
		{
			Document += u"</r>";
		}
		return Document;
	}
}

TEST(XmlReference, HandPickedDocumentsReadAsTheReferenceReadsThem)
{
	const char16_t* Cases[] = {
		u"<a>abc\ndef\n<b/>\nghi</a>",
		u"<a>\n  one  two\t\tthree  \n\r\n  four\r five\n</a>",
		u"<a>x</a>\n",
		u"<a>\n\n\n</a>",
		u"<a>lead <b/>\nplain line\n  \nmore</a>",
		u"<a>\n\"quoted\nline\"\n</a>",
		u"<a>\n<!-- c\nplain\n-->\nafter\n</a>",
		u"<a>\nbefore <!-- c --> after\nplain\n</a>",
		u"<a><!--x-->y<!--\nz\n  -->\nw</a>",
		u"<?xml version=\"1.0\"?>\n<a>\n<?xml inner?>\nplain\n  <!DOCTYPE x>\n</a>",
		u"<a>\n<!--\n<?xml x?>\n-->\nq</a>",
		u"<a>\n-->\n<!--\nplain\n-->\n</a>",
		u"<a>\n<!-- unclosed\nplain\n</a>",
		u"<a>t\n<!--a-->--><!--b\n-->\nu</a>",
		u"<a>\n    \n</a>",
		u"<a b=\"1\">\nv 1 2 3\nf 1/1 2/2 3/3\n</a>",
	};
	for (const char16_t* Case : Cases)
	{
		ExpectSameAsReference(Case);
	}
}

TEST(XmlReference, RandomDocumentsReadAsTheReferenceReadsThem)
{
	std::mt19937 Random(424242u);
	for (int32 Case = 0; Case < 20000; ++Case)
	{
		ExpectSameAsReference(RandomDocument(Random));
		if (::testing::Test::HasFailure())
		{
			return;
		}
	}
}

TEST(XmlReference, LongPlainTextReadsAsTheReferenceReadsIt)
{
	// Plain text lines are folded in groups and appended in pieces of a few thousand characters: runs of white
	// space (blanks, tabs, line breaks, control characters) falling on group and piece edges must fold as the
	// reference folds them, including at the start and end of the text and next to text already there.
	std::mt19937 Random(9001u);
	static const char16_t* const Pieces[] = {u"v", u"1.25", u"-3", u"f", u"1/2", u"\u00e9", u" ", u" ", u" ", u"  ", u"\t", u"\n", u"\r\n", u"\n\n", u" \n ", u"\x01"};
	constexpr int32 PieceCount = static_cast<int32>(sizeof(Pieces) / sizeof(Pieces[0]));
	for (int32 Case = 0; Case < 40; ++Case)
	{
		std::u16string Document = Case % 2 == 0 ? u"<r>" : u"<r><c/>lead";
		Document.append(static_cast<size_t>(Case), u'x');
		const size_t Target = 4096 * (1 + Case % 3) + static_cast<size_t>(std::uniform_int_distribution<int32>(0, 64)(Random));
		while (Document.size() < Target)
		{
			Document += Pieces[std::uniform_int_distribution<int32>(0, PieceCount - 1)(Random)];
		}
		Document += Case % 4 < 2 ? u"</r>" : u"\n \n</r>";
		ExpectSameAsReference(Document);
		if (::testing::Test::HasFailure())
		{
			return;
		}
	}
}
