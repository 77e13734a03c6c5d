// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Misc/FileHelper.h"
#include "XmlFile.h"
#include "XmlNode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace
{
	const TCHAR* const ParseFailText = TEXT("Failed to parse the loaded document");

	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	std::filesystem::path TempPath(const char* Name)
	{
		return std::filesystem::temp_directory_path() / ("orvane_xml_" + std::to_string(::getpid()) + "_" + Name);
	}

	void ExpectFails(FXmlFile& File, const FString& Document)
	{
		EXPECT_FALSE(File.LoadFile(Document, EConstructMethod::ConstructFromBuffer)) << Utf8(Document);
		EXPECT_FALSE(File.IsValid());
		EXPECT_EQ(File.GetRootNode(), nullptr);
		EXPECT_EQ(Utf8(File.GetLastError()), Utf8(ParseFailText));
	}
}

TEST(XmlText, FoldsWhiteSpaceAndLineBreaksIntoSingleBlanks)
{
	FXmlFile File(TEXT("<mesh>\n\tv 0 0 0\n  v 1 0 0\r\n\t\tf   1 2 3  \n</mesh>"), EConstructMethod::ConstructFromBuffer);
	ASSERT_TRUE(File.IsValid());
	EXPECT_EQ(Utf8(File.GetRootNode()->GetContent()), "v 0 0 0 v 1 0 0 f 1 2 3");

	// Text on both sides of a child joins into one text; a line break in a quoted run still splits it.
	FXmlFile Mixed(TEXT("<a>one <b/> two \"x\ny\"</a>"), EConstructMethod::ConstructFromBuffer);
	ASSERT_TRUE(Mixed.IsValid());
	EXPECT_EQ(Utf8(Mixed.GetRootNode()->GetContent()), "one two \"x y\"");
}

TEST(XmlText, KeepsEntitiesInTextAndDecodesThemInAttributes)
{
	FXmlFile File(TEXT("<a v=\"&lt;x&gt; &amp; &quot;q&quot; &apos;s&apos;\" w=\"&amp;lt;\">a &amp; b &lt;c&gt;</a>"), EConstructMethod::ConstructFromBuffer);
	ASSERT_TRUE(File.IsValid());
	const FXmlNode* Root = File.GetRootNode();
	EXPECT_EQ(Utf8(Root->GetContent()), "a &amp; b &lt;c&gt;");
	EXPECT_EQ(Utf8(Root->GetAttribute(TEXT("v"))), "<x> & \"q\" 's'");
	// The engine decodes one entity after another, so an escaped "&lt;" is decoded twice.
	EXPECT_EQ(Utf8(Root->GetAttribute(TEXT("w"))), "<");
}

TEST(XmlText, SkipsCommentsAndPrologLines)
{
	FXmlFile File(TEXT("<?xml version=\"1.0\"?>\n<!DOCTYPE stage>\n<!-- head -->\n<stage><!-- one --><a/>\n<!-- two\n<b/>\n-->\n<c/>text</stage>"), EConstructMethod::ConstructFromBuffer);
	ASSERT_TRUE(File.IsValid()) << Utf8(File.GetLastError());
	const TArray<FXmlNode*>& Children = File.GetRootNode()->GetChildrenNodes();
	ASSERT_EQ(Children.Num(), 2);
	EXPECT_EQ(Utf8(Children[0]->GetTag()), "a");
	EXPECT_EQ(Utf8(Children[1]->GetTag()), "c");
	EXPECT_EQ(Utf8(File.GetRootNode()->GetContent()), "text");

	// The engine drops a prolog line whole, so a root on the same line is lost with it.
	FXmlFile SameLine;
	ExpectFails(SameLine, TEXT("<?xml version=\"1.0\"?><stage/>"));
}

TEST(XmlTree, FindsTagsAndAttributesWithoutRegardToCase)
{
	FXmlFile File(TEXT("<Stage><Camera Name='A'/><camera name=\"B\"/><Light/></STAGE>"), EConstructMethod::ConstructFromBuffer);
	ASSERT_TRUE(File.IsValid());
	FXmlNode* Root = File.GetRootNode();
	const FXmlNode* Camera = Root->FindChildNode(TEXT("CAMERA"));
	ASSERT_NE(Camera, nullptr);
	EXPECT_EQ(Utf8(Camera->GetAttribute(TEXT("name"))), "A");
	EXPECT_EQ(Camera->GetNextNode(), Root->GetChildrenNodes()[1]);
	EXPECT_EQ(Root->GetChildrenNodes()[2]->GetNextNode(), nullptr);
	EXPECT_EQ(Root->FindChildNode(TEXT("missing")), nullptr);
	EXPECT_TRUE(Camera->GetAttribute(TEXT("missing")).IsEmpty());
}

TEST(XmlTree, ReadsAttributeQuotingAsTheEngineDoes)
{
	FXmlFile File(TEXT("<t a='aTest' b=\"b  Test\" c=\"c'sTest\" d='d'sTest' bare=1 flag e=\"\"/>"), EConstructMethod::ConstructFromBuffer);
	ASSERT_TRUE(File.IsValid());
	const FXmlNode* Root = File.GetRootNode();
	EXPECT_EQ(Utf8(Root->GetAttribute(TEXT("a"))), "aTest");
	EXPECT_EQ(Utf8(Root->GetAttribute(TEXT("b"))), "b  Test");
	EXPECT_EQ(Utf8(Root->GetAttribute(TEXT("c"))), "c'sTest");
	EXPECT_EQ(Utf8(Root->GetAttribute(TEXT("d"))), "d'sTest");
	// An unquoted value and a word without '=' are dropped, not errors.
	ASSERT_EQ(Root->GetAttributes().Num(), 5);
	EXPECT_EQ(Utf8(Root->GetAttributes()[4].GetTag()), "e");
	EXPECT_TRUE(Root->GetAttribute(TEXT("bare")).IsEmpty());
}

TEST(XmlTree, StopsAtTheRootEndTag)
{
	// The engine ignores whatever follows the root element.
	FXmlFile File(TEXT("<a/><b/> trailing"), EConstructMethod::ConstructFromBuffer);
	ASSERT_TRUE(File.IsValid());
	EXPECT_EQ(Utf8(File.GetRootNode()->GetTag()), "a");
}

TEST(XmlMalformed, FailsWithTheEngineErrorText)
{
	FXmlFile File;
	for (const TCHAR* Document : {TEXT(""), TEXT("   \n "), TEXT("<a>"), TEXT("<a><b></a>"), TEXT("<a></b>"), TEXT("text<a/>"), TEXT("<a>x > y</a>"),
			 TEXT("</a>"), TEXT("<a><!-- open</a>"), TEXT("<a><![CDATA[x]]></a>"), TEXT("<a b=\"1\""), TEXT("<>"), TEXT("<a></>")})
	{
		ExpectFails(File, Document);
	}
}

TEST(XmlMalformed, FailsAtEveryTruncation)
{
	const FString Document = TEXT("<?xml version=\"1.0\"?>\n<stage v=\"1\">\n\t<!-- c -->\n\t<cam n='a'>t &amp; u</cam>\n\t<x/>\n</stage>");
	FXmlFile File;
	ASSERT_TRUE(File.LoadFile(Document, EConstructMethod::ConstructFromBuffer));
	for (int32 Length = 0; Length < Document.Len(); ++Length)
	{
		ExpectFails(File, Document.Left(Length));
	}
}

TEST(XmlFileLoad, ReportsFilesAndStateChanges)
{
	FXmlFile File(TEXT("/nonexistent/orvane.orvs"));
	EXPECT_FALSE(File.IsValid());
	EXPECT_EQ(Utf8(File.GetLastError()), "Failed to load the file\"/nonexistent/orvane.orvs\"");

	const std::filesystem::path Path = TempPath("crlf.orvs");
	std::ofstream(Path, std::ios::binary) << "\xEF\xBB\xBF<stage>\r\n<cam>1\r\n2</cam>\r\n</stage>\r\n";
	ASSERT_TRUE(File.LoadFile(FString(Path.string().c_str())));
	EXPECT_EQ(Utf8(File.GetLastError()), "XmlFile was loaded successfully");
	EXPECT_EQ(Utf8(File.GetRootNode()->FindChildNode(TEXT("cam"))->GetContent()), "1 2");

	// Saving writes text that reads back the same, attribute values escaped.
	File.GetRootNode()->AppendChildNode(TEXT("note"), TEXT("a &amp; b"), {FXmlAttribute(TEXT("q"), TEXT("<\"&'>"))});
	const std::filesystem::path Saved = TempPath("saved.orvs");
	ASSERT_TRUE(File.Save(FString(Saved.string().c_str())));
	FXmlFile Reloaded(FString(Saved.string().c_str()));
	ASSERT_TRUE(Reloaded.IsValid());
	const FXmlNode* Note = Reloaded.GetRootNode()->FindChildNode(TEXT("note"));
	ASSERT_NE(Note, nullptr);
	EXPECT_EQ(Utf8(Note->GetContent()), "a &amp; b");
	EXPECT_EQ(Utf8(Note->GetAttribute(TEXT("q"))), "<\"&'>");

	File.Clear();
	EXPECT_FALSE(File.IsValid());
	EXPECT_EQ(File.GetRootNode(), nullptr);
	EXPECT_EQ(Utf8(File.GetLastError()), "XmlFile was cleared successfully");
	std::filesystem::remove(Path);
	std::filesystem::remove(Saved);
}

TEST(XmlHostile, NeverExpandsEntities)
{
	FString Laughs = TEXT("<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n <!ENTITY lol \"lol\">\n");
	for (int32 Level = 1; Level < 10; ++Level)
	{
		Laughs += FString::Printf(TEXT(" <!ENTITY lol%d \""), Level);
		for (int32 Copy = 0; Copy < 10; ++Copy)
		{
			Laughs += Level == 1 ? FString(TEXT("&lol;")) : FString::Printf(TEXT("&lol%d;"), Level - 1);
		}
		Laughs += TEXT("\">\n");
	}
	FXmlFile File;
	ExpectFails(File, Laughs + TEXT("]>\n<lolz>&lol9;</lolz>"));

	// With the whole DOCTYPE on one line the engine drops it, and the reference stays as written.
	ASSERT_TRUE(File.LoadFile(TEXT("<!DOCTYPE l [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;\">]>\n<l>&b;</l>"), EConstructMethod::ConstructFromBuffer));
	EXPECT_EQ(Utf8(File.GetRootNode()->GetContent()), "&b;");
}

TEST(XmlHostile, SurvivesDeepNesting)
{
	constexpr int32 Depth = 100000;
	FString Open;
	FString Close;
	for (int32 Level = 0; Level < Depth; ++Level)
	{
		Open += TEXT("<n>");
		Close += TEXT("</n>");
	}
	FXmlFile File;
	ExpectFails(File, Open);
	ASSERT_TRUE(File.LoadFile(Open + TEXT("deep") + Close, EConstructMethod::ConstructFromBuffer));
	const FXmlNode* Node = File.GetRootNode();
	int32 Levels = 1;
	while (Node->GetFirstChildNode() != nullptr)
	{
		Node = Node->GetFirstChildNode();
		++Levels;
	}
	EXPECT_EQ(Levels, Depth);
	EXPECT_EQ(Utf8(Node->GetContent()), "deep");
	File.Clear();
	ASSERT_TRUE(File.LoadFile(Open + Close, EConstructMethod::ConstructFromBuffer));
	// The destructor frees the second tree.
}

TEST(XmlHostile, ReadsHugeTextWhole)
{
	// 20 MB of mesh-like lines; the 100 MB case is in the benchmarks, where time and memory are measured.
	constexpr int32 Lines = 20 * 1024 * 1024 / 16;
	std::u16string Text = u"<mesh>";
	Text.reserve(static_cast<size_t>(Lines) * 16 + 16);
	for (int32 Line = 0; Line < Lines; ++Line)
	{
		Text += u"\nv 1.5 2.5 3.5  ";
	}
	Text += u"</mesh>";
	FXmlFile File(FString(std::move(Text)), EConstructMethod::ConstructFromBuffer);
	ASSERT_TRUE(File.IsValid());
	const FString& Content = File.GetRootNode()->GetContent();
	EXPECT_EQ(Content.Len(), Lines * 14 - 1);
	EXPECT_EQ(Utf8(Content.Left(28)), "v 1.5 2.5 3.5 v 1.5 2.5 3.5 ");
}

TEST(XmlHostile, SurvivesArbitraryBytes)
{
	const std::filesystem::path Path = TempPath("bytes.orvs");
	std::ofstream(Path, std::ios::binary) << "<a n=\"\xFF\xFE\xC3\">\x80\x81 text \xE2\x82</a>";
	FXmlFile File(FString(Path.string().c_str()));
	ASSERT_TRUE(File.IsValid());
	EXPECT_TRUE(File.GetRootNode()->GetContent().Contains(TEXT(" text ")));
	EXPECT_FALSE(File.GetRootNode()->GetAttribute(TEXT("n")).IsEmpty());
	std::filesystem::remove(Path);

	std::mt19937 Random(1234);
	const char16_t Alphabet[] = u"<>/=\"' \n!-?&;ab\x01\xFFFD";
	for (int32 Round = 0; Round < 2000; ++Round)
	{
		std::u16string Noise(static_cast<size_t>(Random() % 64), u' ');
		for (char16_t& Char : Noise)
		{
			Char = Round % 2 ? static_cast<char16_t>(Random() & 0xFFFF) : Alphabet[Random() % (sizeof(Alphabet) / sizeof(char16_t) - 1)];
		}
		FXmlFile Fuzzed(FString(std::move(Noise)), EConstructMethod::ConstructFromBuffer);
		EXPECT_EQ(Fuzzed.IsValid(), Fuzzed.GetRootNode() != nullptr);
	}
}
