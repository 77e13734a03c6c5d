// Copyright Kelmora. All Rights Reserved.
// Any stage file through the whole stage road short of the editor: the reader, the mesh builder for every wall
// that carries a mesh, and the nDisplay generator, whose written file must read back as one JSON object.
#include "CoreMinimal.h"
#include "AssetRegistry/HostAssetRegistryRecord.h"
#include "Dom/JsonObject.h"
#include "FuzzSupport.h"
#include "HeadlessProject.h"
#include "Misc/FileHelper.h"
#include "OrvaneNDisplayConfigImporter.h"
#include "OrvaneStageImporter.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "UObject/UObjectGlobals.h"

#include <unistd.h>

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <string>

namespace
{
	FScopedHeadlessProject* Project = nullptr;
	std::filesystem::path StageDir;
	int32 InputCount = 0;
	/** Built meshes are assets: dropped now and then so that memory and the project folder stay small. */
	constexpr int32 InputsPerCleanup = 256;

	void WriteBytes(const std::filesystem::path& Path, const std::string& Bytes)
	{
		std::ofstream File(Path, std::ios::binary | std::ios::trunc);
		File.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
	}

	/**
	 * The file the input stands for. The first byte picks the encoding of the rest: 0 as it is, 1 behind a UTF-8
	 * byte order mark, 2 read as UTF-8 and written as UTF-16 little-endian with its mark, 3 the same big-endian.
	 * Bit 2 asks the generator for the ICVFX camera.
	 */
	std::string StageFileBytes(const uint8_t* Data, size_t Size)
	{
		const std::string Rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
		switch (Data[0] & 3)
		{
		case 1:
			return "\xEF\xBB\xBF" + Rest;
		case 2:
		case 3:
		{
			const bool bBigEndian = (Data[0] & 3) == 3;
			const FUTF8ToTCHAR Wide(Rest.data(), static_cast<int32>(Rest.size()));
			std::string Bytes = bBigEndian ? std::string("\xFE\xFF", 2) : std::string("\xFF\xFE", 2);
			for (int32 Index = 0; Index < Wide.Length(); ++Index)
			{
				const uint16 Unit = static_cast<uint16>(Wide.Get()[Index]);
				const char Low = static_cast<char>(Unit & 0xFF);
				const char High = static_cast<char>(Unit >> 8);
				Bytes += bBigEndian ? High : Low;
				Bytes += bBigEndian ? Low : High;
			}
			return Bytes;
		}
		default:
			return Rest;
		}
	}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	OrvaneFuzz::QuietLog();
	Project = new FScopedHeadlessProject();
	StageDir = std::filesystem::temp_directory_path() / ("orvane-fuzz-stage-" + std::to_string(getpid()));
	std::filesystem::create_directories(StageDir);
	std::atexit([]()
		{
		std::error_code Ignored;
		std::filesystem::remove_all(StageDir, Ignored);
		delete Project;
		Project = nullptr; });
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	if (Size == 0)
	{
		return 0;
	}
	const std::filesystem::path StagePath = StageDir / "Fuzz Stage.orvs";
	const std::filesystem::path NDisplayPath = StageDir / "Fuzz_Stage.ndisplay";
	std::filesystem::remove(NDisplayPath);
	WriteBytes(StagePath, StageFileBytes(Data, Size));
	const FString StageFile(StagePath.string().c_str());

	FOrvaneStageData Stage;
	FString Error;
	const bool bRead = UOrvaneStageImporter::ParseOrvaneFile(StageFile, Stage, Error);
	OrvaneFuzz::Check(bRead || !Error.IsEmpty(), "a file that does not read says why");
	if (bRead)
	{
		TArray<FString> MeshPaths;
		const FString Written = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StageFile, (Data[0] & 4) != 0, MeshPaths);
		if (!Written.IsEmpty())
		{
			FString Json;
			OrvaneFuzz::Check(FFileHelper::LoadFileToString(Json, *Written), "the written configuration is there");
			TSharedPtr<FJsonObject> Root;
			OrvaneFuzz::Check(FJsonSerializer::Deserialize(TJsonReaderFactory<TCHAR>::Create(Json), Root) && Root.IsValid(), "the written configuration reads back as a JSON object");
		}
	}

	if (++InputCount % InputsPerCleanup == 0)
	{
		CollectGarbage(RF_NoFlags);
		UE::AssetRegistry::Host::ResetCreatedAssets();
		std::filesystem::remove_all(TCHAR_TO_UTF8(*(Project->GetContentDir() / TEXT("Orvane"))));
	}
	return 0;
}
