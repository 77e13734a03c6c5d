// Copyright Kelmora. All Rights Reserved.
// Reading a large stage file (file, XML and OBJ) against tinyobjloader reading the same OBJ text on its own,
// and building the wall's static mesh from what was read.
#include "CoreMinimal.h"
#include "HeadlessProject.h"
#include "Misc/OutputDeviceRedirector.h"
#include "OrvaneStageImporter.h"

#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
	// A torus of Rings x Segments vertices, each with its own texture coordinate, closed both ways so the
	// triangle count is exactly 2 x Rings x Segments: 1,000,000 vertices and 2,000,000 triangles.
	constexpr int32 Rings = 1000;
	constexpr int32 Segments = 1000;

	/** The generated files, written once per run into a temporary directory that is removed at exit. */
	struct FStageFiles
	{
		std::filesystem::path Directory;
		std::string StagePath;
		std::string ObjPath;
		int64 StageBytes = 0;
		int64 ObjBytes = 0;

		FStageFiles()
		{
			char Template[] = "/tmp/OrvaneStageBenchmark-XXXXXX";
			const char* Created = ::mkdtemp(Template);
			if (Created == nullptr)
			{
				std::perror("mkdtemp");
				std::abort();
			}
			Directory = Created;
			StagePath = (Directory / "Stage.orvs").string();
			ObjPath = (Directory / "Wall.obj").string();
			Write();
		}

		~FStageFiles()
		{
			std::error_code Error;
			std::filesystem::remove_all(Directory, Error);
		}

		void Write()
		{
			std::ofstream Stage(StagePath, std::ios::binary | std::ios::trunc);
			std::ofstream Obj(ObjPath, std::ios::binary | std::ios::trunc);
			Stage << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<orvane>\n<stages>\n<stage>\n"
					 "<label>Benchmark Stage</label>\n<walls>\n"
					 "<wall uuid=\"W1\"><label>Torus Wall</label><model>\"meshes\\\\torus.obj\"</model><active>Y</active>"
					 "<scale>1</scale><position x=\"0\" y=\"0\" z=\"0\"/><rotation x=\"0\" y=\"0\" z=\"0\"/></wall>\n"
					 "</walls>\n</stage>\n</stages>\n<meshes>\n<mesh fileref=\"meshes/torus.obj\"><![CDATA[\n";

			std::string Chunk;
			Chunk.reserve(1 << 20);
			char Line[128];
			auto Emit = [&](int Length)
			{
				Chunk.append(Line, static_cast<size_t>(Length));
				if (Chunk.size() >= (1u << 20) - sizeof(Line))
				{
					Flush(Stage, Obj, Chunk);
				}
			};

			Emit(std::snprintf(Line, sizeof(Line), "# generator = StageBenchmark\n"));
			constexpr double Pi = 3.14159265358979323846;
			for (int32 Ring = 0; Ring < Rings; ++Ring)
			{
				const double Theta = 2.0 * Pi * Ring / Rings;
				for (int32 Segment = 0; Segment < Segments; ++Segment)
				{
					const double Phi = 2.0 * Pi * Segment / Segments;
					const double Radius = 3.0 + 1.25 * std::cos(Phi);
					Emit(std::snprintf(Line, sizeof(Line), "v %.7f %.7f %.7f\n", Radius * std::cos(Theta), 1.25 * std::sin(Phi), Radius * std::sin(Theta)));
				}
			}
			for (int32 Ring = 0; Ring < Rings; ++Ring)
			{
				for (int32 Segment = 0; Segment < Segments; ++Segment)
				{
					Emit(std::snprintf(Line, sizeof(Line), "vt %.7f %.7f\n", static_cast<double>(Segment) / Segments, static_cast<double>(Ring) / Rings));
				}
			}
			auto Index = [](int32 Ring, int32 Segment)
			{ return (Ring % Rings) * Segments + (Segment % Segments) + 1; };
			for (int32 Ring = 0; Ring < Rings; ++Ring)
			{
				for (int32 Segment = 0; Segment < Segments; ++Segment)
				{
					const int32 A = Index(Ring, Segment);
					const int32 B = Index(Ring + 1, Segment);
					const int32 C = Index(Ring + 1, Segment + 1);
					const int32 D = Index(Ring, Segment + 1);
					Emit(std::snprintf(Line, sizeof(Line), "f %d/%d %d/%d %d/%d\n", A, A, B, B, C, C));
					Emit(std::snprintf(Line, sizeof(Line), "f %d/%d %d/%d %d/%d\n", A, A, C, C, D, D));
				}
			}
			Flush(Stage, Obj, Chunk);
			Stage << "]]></mesh>\n</meshes>\n</orvane>\n";
			Stage.close();
			Obj.close();
			StageBytes = static_cast<int64>(std::filesystem::file_size(StagePath));
			ObjBytes = static_cast<int64>(std::filesystem::file_size(ObjPath));
		}

		static void Flush(std::ofstream& Stage, std::ofstream& Obj, std::string& Chunk)
		{
			Stage.write(Chunk.data(), static_cast<std::streamsize>(Chunk.size()));
			Obj.write(Chunk.data(), static_cast<std::streamsize>(Chunk.size()));
			Chunk.clear();
		}
	};

	const FStageFiles& StageFiles()
	{
		static const FStageFiles Files;
		return Files;
	}

	/** A field of /proc/self/status in bytes (the kernel reports kB); -1 when it cannot be read. */
	int64 ReadStatusBytes(const char* Field)
	{
		std::ifstream Status("/proc/self/status");
		std::string Line;
		const std::string Prefix = std::string(Field) + ":";
		while (std::getline(Status, Line))
		{
			if (Line.compare(0, Prefix.size(), Prefix) == 0)
			{
				return std::strtoll(Line.c_str() + Prefix.size(), nullptr, 10) * 1024;
			}
		}
		return -1;
	}

	/**
	 * The growth of the resident set while Step runs, measured in a forked child: the child's high-water mark
	 * starts at what it inherited and belongs to it alone, so neither earlier benchmarks nor the process's
	 * monotonic ru_maxrss colour the figure. Peak resident set minus the resident set just before Step.
	 * -1 when the child failed.
	 */
	int64 MeasurePeakGrowth(const std::function<bool()>& Step)
	{
		int Pipe[2];
		if (::pipe(Pipe) != 0)
		{
			return -1;
		}
		const pid_t Child = ::fork();
		if (Child < 0)
		{
			::close(Pipe[0]);
			::close(Pipe[1]);
			return -1;
		}
		if (Child == 0)
		{
			::close(Pipe[0]);
			const int64 Before = ReadStatusBytes("VmRSS");
			const bool bSucceeded = Step();
			const int64 Peak = ReadStatusBytes("VmHWM");
			const int64 Growth = (bSucceeded && Before >= 0 && Peak >= 0) ? Peak - Before : -1;
			const ssize_t Written = ::write(Pipe[1], &Growth, sizeof(Growth));
			::_exit(Written == static_cast<ssize_t>(sizeof(Growth)) ? 0 : 1);
		}
		::close(Pipe[1]);
		int64 Growth = -1;
		const ssize_t Read = ::read(Pipe[0], &Growth, sizeof(Growth));
		::close(Pipe[0]);
		int Status = 0;
		::waitpid(Child, &Status, 0);
		if (Read != static_cast<ssize_t>(sizeof(Growth)) || !WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
		{
			return -1;
		}
		return Growth;
	}

	void SetPeakCounters(benchmark::State& BenchState, int64 Growth, int64 FileBytes)
	{
		BenchState.counters["FileMB"] = static_cast<double>(FileBytes) / 1e6;
		BenchState.counters["PeakMB"] = static_cast<double>(Growth) / 1e6;
		BenchState.counters["PeakPerFileSize"] = Growth < 0 ? -1.0 : static_cast<double>(Growth) / static_cast<double>(FileBytes);
	}

	bool ParseStage(FOrvaneStageData& OutStage)
	{
		FString Error;
		return UOrvaneStageImporter::ParseOrvaneFile(FString(StageFiles().StagePath.c_str()), OutStage, Error) && OutStage.Walls.Num() == 1 && OutStage.Walls[0].bHasMeshData;
	}

	bool ParseWithLibrary(tinyobj::attrib_t& Attributes, std::vector<tinyobj::shape_t>& Shapes)
	{
		std::vector<tinyobj::material_t> Materials;
		std::string Warning;
		std::string Error;
		return tinyobj::LoadObj(&Attributes, &Shapes, &Materials, &Warning, &Error, StageFiles().ObjPath.c_str());
	}

	void BM_StageLibraryObjParse(benchmark::State& BenchState)
	{
		const FStageFiles& Files = StageFiles();
		for (auto _ : BenchState)
		{
			tinyobj::attrib_t Attributes;
			std::vector<tinyobj::shape_t> Shapes;
			if (!ParseWithLibrary(Attributes, Shapes))
			{
				BenchState.SkipWithError("tinyobjloader could not read the OBJ file");
				return;
			}
			benchmark::DoNotOptimize(Attributes.vertices.data());
			benchmark::DoNotOptimize(Shapes.data());
		}
		BenchState.SetBytesProcessed(static_cast<int64_t>(BenchState.iterations()) * Files.ObjBytes);
		SetPeakCounters(BenchState, MeasurePeakGrowth([]
										{
								tinyobj::attrib_t Attributes;
								std::vector<tinyobj::shape_t> Shapes;
								return ParseWithLibrary(Attributes, Shapes); }),
			Files.ObjBytes);
	}
	BENCHMARK(BM_StageLibraryObjParse)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

	void BM_StageParseOrvaneFile(benchmark::State& BenchState)
	{
		const FStageFiles& Files = StageFiles();
		for (auto _ : BenchState)
		{
			FOrvaneStageData Stage;
			if (!ParseStage(Stage))
			{
				BenchState.SkipWithError("the stage file was not read with its wall mesh");
				return;
			}
			benchmark::DoNotOptimize(Stage.Walls.GetData());
		}
		BenchState.SetBytesProcessed(static_cast<int64_t>(BenchState.iterations()) * Files.StageBytes);
		SetPeakCounters(BenchState, MeasurePeakGrowth([]
										{
								FOrvaneStageData Stage;
								return ParseStage(Stage); }),
			Files.StageBytes);
	}
	BENCHMARK(BM_StageParseOrvaneFile)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

	void BM_StageCreateStaticMesh(benchmark::State& BenchState)
	{
		FOrvaneStageData Stage;
		if (!ParseStage(Stage))
		{
			BenchState.SkipWithError("the stage file was not read with its wall mesh");
			return;
		}
		const FOrvaneWallData& Wall = Stage.Walls[0];
		FScopedHeadlessProject Project;
		GLog->SetStdErrEcho(false);
		int32 Built = 0;
		for (auto _ : BenchState)
		{
			UStaticMesh* Mesh = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, FString::Printf(TEXT("BenchmarkWall_%d"), Built++));
			if (Mesh == nullptr)
			{
				BenchState.SkipWithError("no static mesh was built");
				break;
			}
			benchmark::DoNotOptimize(Mesh);
		}
		GLog->SetStdErrEcho(true);
		BenchState.counters["Triangles"] = static_cast<double>(Wall.MeshData.Faces.Num());
	}
	BENCHMARK(BM_StageCreateStaticMesh)->Iterations(1)->Unit(benchmark::kMillisecond);
}
