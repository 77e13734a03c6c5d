// Copyright Kelmora. All Rights Reserved.
// Writes stage files for the stage import tests.
#pragma once

#include "CoreMinimal.h"

#include <fstream>
#include <string>

namespace OrvaneStageTest
{
	/** Writes the bytes to a file and returns its path. */
	inline FString WriteFile(const FString& Directory, const FString& Name, const std::string& Bytes)
	{
		const FString Path = Directory / Name;
		std::ofstream File(TCHAR_TO_UTF8(*Path), std::ios::binary | std::ios::trunc);
		File.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
		return Path;
	}

	/** A stage document with the given stage body and meshes body. */
	inline std::string StageDocument(const std::string& StageBody, const std::string& MeshesBody = std::string())
	{
		return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<orvane>\n<stages>\n<stage>\n" + StageBody + "\n</stage>\n</stages>\n" + (MeshesBody.empty() ? std::string() : "<meshes>\n" + MeshesBody + "\n</meshes>\n") + "</orvane>\n";
	}

	/** A unit square in the XY plane with texture coordinates, as a mesh element. */
	inline std::string SquareMesh(const std::string& FileRef)
	{
		return "<mesh fileref=\"" + FileRef + "\"><![CDATA[\n# name = Square\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nf 1/1 2/2 3/3 4/4\n]]></mesh>";
	}
}
