// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "OrvaneNumbers.h"
#include "OrvaneStageImporter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace
{
	FOrvaneMeshData Parse(const TCHAR* Text, bool* bOutOk = nullptr)
	{
		FOrvaneMeshData Mesh;
		const bool bOk = UOrvaneStageImporter::ParseOBJContent(FString(Text), Mesh);
		if (bOutOk)
		{
			*bOutOk = bOk;
		}
		return Mesh;
	}
}

TEST(ObjReader, ReadsTheSameMeshWhateverTheLineEndings)
{
	const FOrvaneMeshData Unix = Parse(TEXT("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.5 0.25\nf 1/1 2/1 3/1\n"));
	const FOrvaneMeshData Windows = Parse(TEXT("v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nvt 0.5 0.25\r\nf 1/1 2/1 3/1\r\n"));
	const FOrvaneMeshData Mac = Parse(TEXT("v 0 0 0\rv 1 0 0\rv 0 1 0\rvt 0.5 0.25\rf 1/1 2/1 3/1\r"));
	// Mixed: a lone carriage return before a pair, a line feed before a carriage return, no break at the end.
	const FOrvaneMeshData Mixed = Parse(TEXT("v 0 0 0\r\r\nv 1 0 0\n\rv 0 1 0\r\n\nvt 0.5 0.25\rf 1/1 2/1 3/1"));
	for (const FOrvaneMeshData* Mesh : {&Unix, &Windows, &Mac, &Mixed})
	{
		EXPECT_EQ(Mesh->Vertices.Num(), 3);
		EXPECT_EQ(Mesh->UVs.Num(), 1);
		ASSERT_EQ(Mesh->Faces.Num(), 1);
		EXPECT_EQ(Mesh->Faces[0].Vertices[1].VertexIndex, 1);
	}
}

TEST(ObjReader, RepairsTextWhoseLineBreaksBecameBlanks)
{
	bool bOk = false;
	const FOrvaneMeshData Flat = Parse(TEXT("v 0 0 0 v 1 0 0 v 0 1 0 f 1 2 3"), &bOk);
	EXPECT_TRUE(bOk);
	EXPECT_EQ(Flat.Vertices.Num(), 3);
	EXPECT_EQ(Flat.Faces.Num(), 1);

	// Keywords are found without regard to case; comments and objects get their lines back too.
	const FOrvaneMeshData Mixed = Parse(TEXT("# a = b V 0 0 0 v 1 0 0 VT 0 0 o Wall s off v 0 1 0 F 1/1 2/1 3/1 # c = d"), &bOk);
	EXPECT_TRUE(bOk);
	EXPECT_EQ(Mixed.Vertices.Num(), 3);
	EXPECT_EQ(Mixed.UVs.Num(), 1);
	EXPECT_EQ(Mixed.Metadata.FindRef(TEXT("a")), FString(TEXT("b")));
	EXPECT_EQ(Mixed.Metadata.FindRef(TEXT("c")), FString(TEXT("d")));

	// A tab is no separator: nothing is read.
	Parse(TEXT("v\t0 0 0 v\t1 0 0 v\t0 1 0 f 1 2 3"), &bOk);
	EXPECT_FALSE(bOk);
}

TEST(ObjReader, SplitsMetadataAtTheFirstEqualsSign)
{
	const FOrvaneMeshData Mesh = Parse(TEXT("# name = Wall A = left\n#plain comment\n# = empty key\n# name = again\nv 0 0 0\nf 1 1 1\n"));
	EXPECT_EQ(Mesh.Metadata.Num(), 2);
	EXPECT_EQ(Mesh.Metadata.FindRef(TEXT("name")), FString(TEXT("again"))) << "a repeated key keeps the later value";
	EXPECT_EQ(Mesh.Metadata.FindRef(TEXT("")), FString(TEXT("empty key")));
	EXPECT_EQ(Parse(TEXT("# name = Wall A = left\nv 0 0 0\nf 1 1 1")).Metadata.FindRef(TEXT("name")), FString(TEXT("Wall A = left")));
}

TEST(ObjReader, ReadsEveryCornerForm)
{
	const FOrvaneMeshData Mesh = Parse(TEXT("v 0 0 0\nf 1/1 2/2 3/3 4/4\nf 1//1 2//2 3//3\nf 1 2 3\nf 1/2/3 4/5/6 7/8/9\nf -1 -2 -3\nf 0 1 2\n"));
	ASSERT_EQ(Mesh.Faces.Num(), 6);
	ASSERT_EQ(Mesh.Faces[0].Vertices.Num(), 4);
	for (int32 Corner = 0; Corner < 4; ++Corner)
	{
		EXPECT_EQ(Mesh.Faces[0].Vertices[Corner].VertexIndex, Corner);
		EXPECT_EQ(Mesh.Faces[0].Vertices[Corner].UVIndex, Corner);
	}
	for (const FOrvaneVertex& Corner : Mesh.Faces[1].Vertices)
	{
		EXPECT_EQ(Corner.UVIndex, -1);
	}
	EXPECT_EQ(Mesh.Faces[2].Vertices[2].UVIndex, -1);
	EXPECT_EQ(Mesh.Faces[3].Vertices[1].VertexIndex, 3);
	EXPECT_EQ(Mesh.Faces[3].Vertices[1].UVIndex, 4);
	EXPECT_EQ(Mesh.Faces[4].Vertices[0].VertexIndex, -2);
	EXPECT_EQ(Mesh.Faces[4].Vertices[2].VertexIndex, -4);
	EXPECT_EQ(Mesh.Faces[5].Vertices[0].VertexIndex, -1);
}

TEST(ObjReader, IgnoresShortAndUnknownLines)
{
	bool bOk = false;
	const FOrvaneMeshData Mesh = Parse(TEXT("v 1 2\nvt 1\nf 1 2\nvn 0 0 1\ng group\nusemtl m\nmtllib x.mtl\nv 1 2 3 4 5\nvt 0.5 0.5 0.5\nf 1 1 1\n"), &bOk);
	EXPECT_TRUE(bOk);
	ASSERT_EQ(Mesh.Vertices.Num(), 1);
	EXPECT_EQ(Mesh.Vertices[0].Z, 3.0);
	EXPECT_EQ(Mesh.UVs.Num(), 1);
	EXPECT_EQ(Mesh.Faces.Num(), 1);
}

TEST(ObjReader, StoresCoordinatesAsThirtyTwoBitFloats)
{
	const FOrvaneMeshData Mesh = Parse(TEXT("v 0.1 -2.5e-3 1e400\nvt 0x1p-2 +0.5\nv abc 7q .5\nv 3.4028235e38 -3.4028235e38 3.5e38\nf 1 2 2\n"));
	ASSERT_EQ(Mesh.Vertices.Num(), 3);
	EXPECT_EQ(Mesh.Vertices[0].X, static_cast<double>(0.1f));
	EXPECT_EQ(Mesh.Vertices[0].Y, static_cast<double>(-2.5e-3f));
	EXPECT_TRUE(std::isinf(Mesh.Vertices[0].Z));
	EXPECT_EQ(Mesh.UVs[0].X, 0.25);
	EXPECT_EQ(Mesh.UVs[0].Y, 0.5);
	EXPECT_EQ(Mesh.Vertices[1].X, 0.0);
	EXPECT_EQ(Mesh.Vertices[1].Y, 7.0);
	EXPECT_EQ(Mesh.Vertices[1].Z, 0.5);
	// The printed form of the largest float reads as that float, not as infinity.
	EXPECT_EQ(Mesh.Vertices[2].X, static_cast<double>(std::numeric_limits<float>::max()));
	EXPECT_EQ(Mesh.Vertices[2].Y, -static_cast<double>(std::numeric_limits<float>::max()));
	EXPECT_TRUE(std::isinf(Mesh.Vertices[2].Z));
}

TEST(ObjReader, ReadsDecimalsExactlyAsTheCLibraryDoes)
{
	// Plain decimals of every length, around the 15-digit and 22-fraction-digit limits of the quick path, with
	// signs and leading zeros, each read as the C library reads it and then narrowed to a float.
	std::mt19937_64 Random(11);
	std::vector<std::string> Texts;
	FString Content;
	for (int32 Round = 0; Round < 20000; ++Round)
	{
		std::string Text = Random() % 3 == 0 ? "-" : "";
		const int32 IntegerDigits = int32(Random() % 9);
		const int32 FractionDigits = Random() % 4 == 0 ? int32(Random() % 26) : int32(Random() % 8);
		for (int32 Digit = 0; Digit < IntegerDigits; ++Digit)
		{
			Text += char('0' + Random() % 10);
		}
		if (FractionDigits > 0 || Random() % 5 == 0)
		{
			Text += '.';
		}
		for (int32 Digit = 0; Digit < FractionDigits; ++Digit)
		{
			Text += char('0' + Random() % 10);
		}
		// A lone sign or point stays (no number: 0); an empty word would drop the line.
		Text = Text.empty() ? std::string("0") : Text;
		Content += FString(TEXT("v ")) + UTF8_TO_TCHAR(Text.c_str()) + TEXT(" 0 0\n");
		Texts.push_back(MoveTemp(Text));
	}
	const FOrvaneMeshData Mesh = Parse(*(Content + TEXT("f 1 1 1\n")));
	ASSERT_EQ(Mesh.Vertices.Num(), int32(Texts.size()));
	for (int32 Index = 0; Index < Mesh.Vertices.Num(); ++Index)
	{
		const std::string& Text = Texts[size_t(Index)];
		const double Expected = OrvaneNumbers::NarrowToFloat(std::strtod(Text.c_str(), nullptr));
		ASSERT_EQ(Mesh.Vertices[Index].X, Expected) << Text;
		ASSERT_EQ(std::signbit(Mesh.Vertices[Index].X), std::signbit(Expected)) << Text;
	}
}

#if defined(__unix__)
TEST(ObjReader, ReadsNumbersAsTheCLocaleDoesWhateverTheProcessLocale)
{
	// A locale whose decimal point is a comma, made for the test where the system's locale tools allow.
	const std::string Directory = testing::TempDir() + "orvane_locale";
	const std::string Command = "mkdir -p '" + Directory + "' && localedef -i de_DE -f UTF-8 '" + Directory + "/de_DE.UTF-8' >/dev/null 2>&1";
	[[maybe_unused]] const int Ignored = std::system(Command.c_str());
	setenv("LOCPATH", Directory.c_str(), 1);
	const std::string Previous = std::setlocale(LC_NUMERIC, nullptr);
	if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
	{
		unsetenv("LOCPATH");
		GTEST_SKIP() << "no locale with a decimal comma could be made";
	}
	const bool bComma = std::string(std::localeconv()->decimal_point) == ",";
	const FOrvaneMeshData Mesh = Parse(TEXT("v 0x1.8p1 1.5e0 2.5e-1\nv 1,5 1.00000000000000000001 -7.25E+2\nvt 12345678901234567.5 1e-3\nf 1 2 2\n"));
	std::setlocale(LC_NUMERIC, Previous.c_str());
	unsetenv("LOCPATH");
	ASSERT_TRUE(bComma);
	ASSERT_EQ(Mesh.Vertices.Num(), 2);
	EXPECT_EQ(Mesh.Vertices[0], FVector(3.0, 1.5, 0.25));
	EXPECT_EQ(Mesh.Vertices[1], FVector(1.0, 1.0, -725.0)) << "a comma ends a number, as in the C locale";
	ASSERT_EQ(Mesh.UVs.Num(), 1);
	EXPECT_EQ(Mesh.UVs[0].X, static_cast<double>(12345678901234567.5f));
	EXPECT_EQ(Mesh.UVs[0].Y, static_cast<double>(1e-3f));
}
#endif

TEST(ObjReader, ReadsNumbersThatEndWhereTheirTextDoesNot)
{
	// Numbers the quick path leaves to the C library, each ending where the text around it goes on.
	const FOrvaneMeshData Mesh = Parse(TEXT("v 1e2 2.5E-1x 0x10\tv\nv +7 nan(12)z -inf\nv 1e 1.5e+ 123456789012345678\nf 1 2 3\n"));
	ASSERT_EQ(Mesh.Vertices.Num(), 3);
	EXPECT_EQ(Mesh.Vertices[0], FVector(100.0, 0.25, 16.0));
	EXPECT_EQ(Mesh.Vertices[1].X, 7.0);
	EXPECT_TRUE(std::isnan(Mesh.Vertices[1].Y));
	EXPECT_EQ(Mesh.Vertices[1].Z, -std::numeric_limits<double>::infinity());
	EXPECT_EQ(Mesh.Vertices[2], FVector(1.0, 1.5, static_cast<double>(123456789012345678.0f)));
}

TEST(ObjReader, NeedsAVertexAndAFace)
{
	bool bOk = true;
	Parse(TEXT("v 0 0 0\nvt 0 0\n"), &bOk);
	EXPECT_FALSE(bOk);
	Parse(TEXT("f 1 2 3\n"), &bOk);
	EXPECT_FALSE(bOk);
	Parse(TEXT(""), &bOk);
	EXPECT_FALSE(bOk);
	Parse(TEXT("vvvvvvv v v v f f f"), &bOk);
	EXPECT_FALSE(bOk);
}
