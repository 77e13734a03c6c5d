// Copyright Kelmora. All Rights Reserved.
#include "OrvaneNDisplayConfigImporter.h"

#include "Dom/JsonObject.h"
#include "Engine/StaticMesh.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"
#include "OrvaneStageImporter.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

namespace
{
	/** Rows of wall viewports on the shared canvas are at most this wide. */
	constexpr int64 MaxRowWidth = 8192;
	constexpr int32 DefaultViewportWidth = 1920;
	constexpr int32 DefaultViewportHeight = 1080;

	/** A single-precision product, widened: the document keeps the float rounding (1920 gives 19.19999885559082). */
	double Centi(float Value)
	{
		return static_cast<double>(Value * 0.01f);
	}

	int32 ViewportWidth(const FOrvaneWallData& Wall)
	{
		return Wall.Resolution.X > 0 ? Wall.Resolution.X : DefaultViewportWidth;
	}

	int32 ViewportHeight(const FOrvaneWallData& Wall)
	{
		return Wall.Resolution.Y > 0 ? Wall.Resolution.Y : DefaultViewportHeight;
	}

	TSharedPtr<FJsonObject> MakeVector(const TCHAR* XName, double X, const TCHAR* YName, double Y, const TCHAR* ZName, double Z)
	{
		TSharedPtr<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetNumberField(XName, X);
		Object->SetNumberField(YName, Y);
		Object->SetNumberField(ZName, Z);
		return Object;
	}

	/** Adds the members of a zero transform under ParentId: no offset, no rotation. */
	void AddZeroXform(FJsonObject& Object, const TCHAR* ParentId = TEXT(""))
	{
		Object.SetStringField(TEXT("parentId"), ParentId);
		Object.SetObjectField(TEXT("location"), MakeVector(TEXT("x"), 0, TEXT("y"), 0, TEXT("z"), 0));
		Object.SetObjectField(TEXT("rotation"), MakeVector(TEXT("pitch"), 0, TEXT("yaw"), 0, TEXT("roll"), 0));
	}

	TSharedPtr<FJsonObject> MakeZeroXform()
	{
		TSharedPtr<FJsonObject> Xform = MakeShared<FJsonObject>();
		AddZeroXform(*Xform);
		return Xform;
	}

	TSharedPtr<FJsonObject> MakeScreen(const FOrvaneWallData& Wall)
	{
		TSharedPtr<FJsonObject> Size = MakeShared<FJsonObject>();
		Size->SetNumberField(TEXT("width"), Wall.Resolution.X > 0 ? Centi(static_cast<float>(Wall.Resolution.X)) : 2.0);
		Size->SetNumberField(TEXT("height"), Wall.Resolution.Y > 0 ? Centi(static_cast<float>(Wall.Resolution.Y)) : 1.125);
		TSharedPtr<FJsonObject> Screen = MakeShared<FJsonObject>();
		Screen->SetObjectField(TEXT("size"), Size);
		Screen->SetStringField(TEXT("parentId"), TEXT("nDisplayXform"));
		Screen->SetObjectField(TEXT("location"), MakeVector(TEXT("x"), Centi(Wall.Position.X), TEXT("y"), Centi(Wall.Position.Y), TEXT("z"), Centi(Wall.Position.Z)));
		Screen->SetObjectField(TEXT("rotation"), MakeVector(TEXT("pitch"), Wall.Rotation.X, TEXT("yaw"), Wall.Rotation.Y, TEXT("roll"), Wall.Rotation.Z));
		return Screen;
	}

	TSharedPtr<FJsonObject> MakeMeshComponent(const FString& AssetPath)
	{
		TSharedPtr<FJsonObject> Component = MakeShared<FJsonObject>();
		Component->SetStringField(TEXT("assetPath"), AssetPath);
		AddZeroXform(*Component, TEXT("nDisplayXform"));
		return Component;
	}

	TSharedPtr<FJsonObject> MakeViewport(int64 X, int64 Y, int64 Width, int64 Height, const TCHAR* PolicyType, const TSharedPtr<FJsonObject>& Parameters)
	{
		TSharedPtr<FJsonObject> Overscan = MakeShared<FJsonObject>();
		Overscan->SetBoolField(TEXT("bEnabled"), false);
		Overscan->SetStringField(TEXT("mode"), TEXT("percent"));
		Overscan->SetNumberField(TEXT("left"), 0);
		Overscan->SetNumberField(TEXT("right"), 0);
		Overscan->SetNumberField(TEXT("top"), 0);
		Overscan->SetNumberField(TEXT("bottom"), 0);
		Overscan->SetBoolField(TEXT("oversize"), false);

		TSharedPtr<FJsonObject> Region = MakeShared<FJsonObject>();
		Region->SetNumberField(TEXT("x"), static_cast<double>(X));
		Region->SetNumberField(TEXT("y"), static_cast<double>(Y));
		Region->SetNumberField(TEXT("w"), static_cast<double>(Width));
		Region->SetNumberField(TEXT("h"), static_cast<double>(Height));

		TSharedPtr<FJsonObject> Policy = MakeShared<FJsonObject>();
		Policy->SetStringField(TEXT("type"), PolicyType);
		Policy->SetObjectField(TEXT("parameters"), Parameters);

		TSharedPtr<FJsonObject> Viewport = MakeShared<FJsonObject>();
		Viewport->SetStringField(TEXT("camera"), TEXT("DefaultViewPoint"));
		Viewport->SetNumberField(TEXT("bufferRatio"), 1);
		Viewport->SetNumberField(TEXT("gPUIndex"), 0);
		Viewport->SetBoolField(TEXT("allowCrossGPUTransfer"), false);
		Viewport->SetBoolField(TEXT("isShared"), false);
		Viewport->SetObjectField(TEXT("overscan"), Overscan);
		Viewport->SetObjectField(TEXT("region"), Region);
		Viewport->SetObjectField(TEXT("projectionPolicy"), Policy);
		return Viewport;
	}

	/** Whether a wall's position and rotation can be written as JSON numbers (which have no infinity or NaN). */
	bool HasFinitePlacement(const FOrvaneWallData& Wall)
	{
		const float Values[] = {Wall.Position.X, Wall.Position.Y, Wall.Position.Z, Wall.Rotation.X, Wall.Rotation.Y, Wall.Rotation.Z};
		for (const float Value : Values)
		{
			if (!FMath::IsFinite(Value))
			{
				return false;
			}
		}
		return true;
	}

	/** Visits each wall with the mesh asset path it is paired with, or null for a screen wall. */
	template <typename VisitorType>
	void ForEachPairedWall(const FOrvaneStageData& StageData, const TArray<FString>& MeshAssetPaths, VisitorType Visit)
	{
		int32 NextPath = 0;
		for (const FOrvaneWallData& Wall : StageData.Walls)
		{
			const bool bMeshWall = Wall.bHasMeshData && NextPath < MeshAssetPaths.Num();
			Visit(Wall, bMeshWall ? &MeshAssetPaths[NextPath++] : nullptr);
		}
	}
}

FString UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(const FOrvaneStageData& StageData, const TArray<FString>& MeshAssetPaths, bool bIncludeICVFXCamera)
{
	// A screen places its wall by position and rotation; "inf" or "nan" in the file would not be JSON.
	bool bWritable = true;
	ForEachPairedWall(StageData, MeshAssetPaths, [&bWritable](const FOrvaneWallData& Wall, const FString* MeshPath)
		{ bWritable &= MeshPath != nullptr || HasFinitePlacement(Wall); });
	if (!bWritable)
	{
		return FString();
	}

	TSharedPtr<FJsonObject> Config = MakeShared<FJsonObject>();
	Config->SetStringField(TEXT("description"), FString::Printf(TEXT("Generated from Orvane Stage: %s"), *StageData.StageName));
	Config->SetStringField(TEXT("version"), TEXT("5.00"));
	Config->SetStringField(TEXT("assetPath"), TEXT(""));

	TSharedPtr<FJsonObject> Misc = MakeShared<FJsonObject>();
	Misc->SetBoolField(TEXT("bFollowLocalPlayerCamera"), true);
	Misc->SetBoolField(TEXT("bExitOnEsc"), true);
	Misc->SetBoolField(TEXT("bOverrideViewportsFromExternalConfig"), false);
	Config->SetObjectField(TEXT("misc"), Misc);

	TSharedPtr<FJsonObject> Scene = MakeShared<FJsonObject>();
	TSharedPtr<FJsonObject> Xforms = MakeShared<FJsonObject>();
	Xforms->SetObjectField(TEXT("nDisplayXform"), MakeZeroXform());
	if (bIncludeICVFXCamera)
	{
		Xforms->SetObjectField(TEXT("Orvane_ICVFX_Camera"), MakeZeroXform());
	}
	Scene->SetObjectField(TEXT("xforms"), Xforms);

	TSharedPtr<FJsonObject> Cameras = MakeShared<FJsonObject>();
	TSharedPtr<FJsonObject> DefaultViewPoint = MakeShared<FJsonObject>();
	DefaultViewPoint->SetNumberField(TEXT("interpupillaryDistance"), 6.4);
	DefaultViewPoint->SetBoolField(TEXT("swapEyes"), false);
	DefaultViewPoint->SetStringField(TEXT("stereoOffset"), TEXT("none"));
	AddZeroXform(*DefaultViewPoint);
	Cameras->SetObjectField(TEXT("DefaultViewPoint"), DefaultViewPoint);
	Scene->SetObjectField(TEXT("cameras"), Cameras);

	// Members keyed by labels replace each other in place when labels differ only in letter case.
	TSharedPtr<FJsonObject> Screens = MakeShared<FJsonObject>();
	TSharedPtr<FJsonObject> MeshComponents = MakeShared<FJsonObject>();
	ForEachPairedWall(StageData, MeshAssetPaths, [&](const FOrvaneWallData& Wall, const FString* MeshPath)
		{
			if (MeshPath)
			{
				MeshComponents->SetObjectField(Wall.Label, MakeMeshComponent(*MeshPath));
			}
			else
			{
				Screens->SetObjectField(Wall.Label, MakeScreen(Wall));
			} });
	if (Screens->Values.Num() > 0)
	{
		Scene->SetObjectField(TEXT("screens"), Screens);
	}
	if (MeshComponents->Values.Num() > 0)
	{
		Scene->SetObjectField(TEXT("meshComponents"), MeshComponents);
	}
	Config->SetObjectField(TEXT("scene"), Scene);

	// Wall viewports fill the canvas in rows, left to right; a row wraps before it would grow wider than
	// MaxRowWidth. Positions add up in 64 bits: resolutions are 32-bit values from the stage file, and their
	// sum must not overflow.
	TSharedPtr<FJsonObject> Viewports = MakeShared<FJsonObject>();
	int64 CursorX = 0;
	int64 CursorY = 0;
	int64 RowHeight = 0;
	int64 WidestRow = 0;
	ForEachPairedWall(StageData, MeshAssetPaths, [&](const FOrvaneWallData& Wall, const FString* MeshPath)
		{
			const int64 Width = ViewportWidth(Wall);
			const int64 Height = ViewportHeight(Wall);
			if (CursorX + Width > MaxRowWidth && CursorX > 0)
			{
				WidestRow = FMath::Max(WidestRow, CursorX);
				CursorY += RowHeight;
				CursorX = 0;
				RowHeight = 0;
			}
			TSharedPtr<FJsonObject> Parameters = MakeShared<FJsonObject>();
			if (MeshPath)
			{
				Parameters->SetStringField(TEXT("mesh"), Wall.Label);
				Parameters->SetStringField(TEXT("section_index"), TEXT("0.0"));
				Parameters->SetStringField(TEXT("base_uv_index"), TEXT("-1.0"));
				Parameters->SetStringField(TEXT("chromakey_uv_index"), TEXT("-1.0"));
				// The blueprint's mesh component is named after the mesh asset, which need not read as the label.
				Parameters->SetStringField(TEXT("mesh_component"), FPaths::GetBaseFilename(*MeshPath));
			}
			else
			{
				Parameters->SetStringField(TEXT("screen"), Wall.Label);
			}
			Viewports->SetObjectField(FString::Printf(TEXT("VP_%s"), *Wall.Label), MakeViewport(CursorX, CursorY, Width, Height, MeshPath ? TEXT("mesh") : TEXT("simple"), Parameters));
			CursorX += Width;
			RowHeight = FMath::Max(RowHeight, Height); });
	if (bIncludeICVFXCamera)
	{
		// Placed after the last wall; it does not enter the canvas, so it may lie outside the window.
		const bool bWrap = CursorX + DefaultViewportWidth > MaxRowWidth && CursorX > 0;
		TSharedPtr<FJsonObject> Parameters = MakeShared<FJsonObject>();
		Parameters->SetStringField(TEXT("component"), TEXT("Orvane_ICVFX_Camera"));
		Parameters->SetStringField(TEXT("camera_component"), TEXT("Orvane_ICVFX_Camera"));
		Parameters->SetStringField(TEXT("native"), TEXT(""));
		Viewports->SetObjectField(TEXT("VP_ICVFX"), MakeViewport(bWrap ? 0 : CursorX, bWrap ? CursorY + RowHeight : CursorY, DefaultViewportWidth, DefaultViewportHeight, TEXT("camera"), Parameters));
	}
	const int64 UsedWidth = FMath::Max(WidestRow, CursorX);
	const int64 UsedHeight = CursorY + RowHeight;
	const int64 CanvasWidth = UsedWidth > 0 ? UsedWidth : DefaultViewportWidth;
	const int64 CanvasHeight = UsedHeight > 0 ? UsedHeight : DefaultViewportHeight;

	TSharedPtr<FJsonObject> Cluster = MakeShared<FJsonObject>();
	TSharedPtr<FJsonObject> PrimaryNode = MakeShared<FJsonObject>();
	PrimaryNode->SetStringField(TEXT("id"), TEXT("Node_0"));
	TSharedPtr<FJsonObject> Ports = MakeShared<FJsonObject>();
	Ports->SetNumberField(TEXT("ClusterSync"), 41001);
	Ports->SetNumberField(TEXT("ClusterEventsJson"), 41003);
	Ports->SetNumberField(TEXT("ClusterEventsBinary"), 41004);
	PrimaryNode->SetObjectField(TEXT("ports"), Ports);
	Cluster->SetObjectField(TEXT("primaryNode"), PrimaryNode);

	TSharedPtr<FJsonObject> Node = MakeShared<FJsonObject>();
	Node->SetStringField(TEXT("host"), TEXT("127.0.0.1"));
	Node->SetBoolField(TEXT("sound"), false);
	Node->SetBoolField(TEXT("fullScreen"), false);
	Node->SetBoolField(TEXT("renderHeadless"), true);
	Node->SetNumberField(TEXT("graphicsAdapter"), -1);
	Node->SetBoolField(TEXT("textureShare"), true);
	TSharedPtr<FJsonObject> Window = MakeShared<FJsonObject>();
	Window->SetNumberField(TEXT("x"), 0);
	Window->SetNumberField(TEXT("y"), 0);
	Window->SetNumberField(TEXT("w"), static_cast<double>(CanvasWidth));
	Window->SetNumberField(TEXT("h"), static_cast<double>(CanvasHeight));
	Node->SetObjectField(TEXT("window"), Window);
	Node->SetObjectField(TEXT("postprocess"), MakeShared<FJsonObject>());
	Node->SetObjectField(TEXT("viewports"), Viewports);

	TSharedPtr<FJsonObject> Nodes = MakeShared<FJsonObject>();
	Nodes->SetObjectField(TEXT("Node_0"), Node);
	Cluster->SetObjectField(TEXT("nodes"), Nodes);
	Config->SetObjectField(TEXT("cluster"), Cluster);

	TSharedRef<FJsonObject> Root = MakeShared<FJsonObject>();
	Root->SetObjectField(TEXT("nDisplay"), Config);

	FString Text;
	FJsonSerializer::Serialize(Root, TJsonWriterFactory<>::Create(&Text));
	return Text;
}

FString UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(const FString& OrvsFilePath, bool bIncludeICVFXCamera, TArray<FString>& OutMeshAssetPaths)
{
	FOrvaneStageData StageData;
	FString ErrorMessage;
	if (!UOrvaneStageImporter::ParseOrvaneFile(OrvsFilePath, StageData, ErrorMessage))
	{
		UE_LOG(LogTemp, Error, TEXT("CreateNDisplayFromORVS: Failed to parse ORVS: %s"), *ErrorMessage);
		return FString();
	}

	const TArray<FString> MeshNames = UOrvaneStageImporter::MakeWallMeshNames(StageData);
	TArray<FString> MeshAssetPaths;
	for (int32 Index = 0; Index < StageData.Walls.Num(); ++Index)
	{
		FOrvaneWallData& Wall = StageData.Walls[Index];
		if (!Wall.bHasMeshData)
		{
			continue;
		}
		if (UStaticMesh* StaticMesh = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, MeshNames[Index]))
		{
			MeshAssetPaths.Add(StaticMesh->GetPathName());
		}
		else
		{
			// Mesh walls take the paths in order: without its mesh the wall is a screen, so that every later
			// wall keeps its own mesh.
			Wall.bHasMeshData = false;
		}
	}

	for (const FOrvaneWallData& Wall : StageData.Walls)
	{
		if (!Wall.bHasMeshData && !HasFinitePlacement(Wall))
		{
			UE_LOG(LogTemp, Error, TEXT("CreateNDisplayFromORVS: Wall '%s' has a position or rotation that is not a finite number"), *Wall.Label);
			return FString();
		}
	}

	const FString Json = GenerateNDisplayConfigFromORVS(StageData, MeshAssetPaths, bIncludeICVFXCamera);
	if (Json.IsEmpty())
	{
		UE_LOG(LogTemp, Error, TEXT("CreateNDisplayFromORVS: Failed to generate nDisplay JSON"));
		return FString();
	}

	const FString BaseName = FPaths::GetBaseFilename(OrvsFilePath).Replace(TEXT(" "), TEXT("_"), ESearchCase::CaseSensitive).Replace(TEXT("-"), TEXT("_"), ESearchCase::CaseSensitive);
	const FString OutputPath = FPaths::GetPath(OrvsFilePath) / FString::Printf(TEXT("%s.ndisplay"), *BaseName);

	OutMeshAssetPaths = MoveTemp(MeshAssetPaths);

	if (!FFileHelper::SaveStringToFile(Json, *OutputPath))
	{
		UE_LOG(LogTemp, Error, TEXT("CreateNDisplayFromORVS: Failed to save .ndisplay file to: %s"), *OutputPath);
		return FString();
	}
	UE_LOG(LogTemp, Log, TEXT("CreateNDisplayFromORVS: Successfully created nDisplay config: %s"), *OutputPath);
	return OutputPath;
}
