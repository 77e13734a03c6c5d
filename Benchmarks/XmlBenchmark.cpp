// Copyright Kelmora. All Rights Reserved.
// Parsing documents whose one element holds a huge text, at sizes ten times apart: linear parsing shows as a
// steady bytes-per-second figure. A plain copy of the same text is the baseline.
#include "CoreMinimal.h"
#include "XmlFile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
	/** "<mesh>" and mesh-like lines up to about Megabytes of text, then "</mesh>". */
	FString MeshDocument(int64 Megabytes)
	{
		const std::u16string Line = u"\nv 1.5 2.5 3.5  ";
		const int64 Lines = Megabytes * 1024 * 1024 / static_cast<int64>(Line.size() * sizeof(char16_t));
		std::u16string Text = u"<mesh>";
		Text.reserve(static_cast<size_t>(Lines) * Line.size() + 16);
		for (int64 Index = 0; Index < Lines; ++Index)
		{
			Text += Line;
		}
		Text += u"</mesh>";
		return FString(std::move(Text));
	}

	void BM_CopyDocument(benchmark::State& BenchState)
	{
		const FString Document = MeshDocument(BenchState.range(0));
		for (auto _ : BenchState)
		{
			FString Copy = Document;
			benchmark::DoNotOptimize(Copy);
		}
		BenchState.SetBytesProcessed(BenchState.iterations() * static_cast<int64_t>(Document.Len()) * 2);
	}
	BENCHMARK(BM_CopyDocument)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

	void BM_ParseHugeElementText(benchmark::State& BenchState)
	{
		const FString Document = MeshDocument(BenchState.range(0));
		for (auto _ : BenchState)
		{
			FXmlFile File(Document, EConstructMethod::ConstructFromBuffer);
			if (!File.IsValid())
			{
				BenchState.SkipWithError("the document did not parse");
				return;
			}
			benchmark::DoNotOptimize(File.GetRootNode()->GetContent().Len());
		}
		BenchState.SetBytesProcessed(BenchState.iterations() * static_cast<int64_t>(Document.Len()) * 2);
	}
	BENCHMARK(BM_ParseHugeElementText)->Arg(10)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
}
