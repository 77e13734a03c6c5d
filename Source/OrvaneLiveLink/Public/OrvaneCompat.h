// Copyright Kelmora. All Rights Reserved.
// Every difference between the engine versions the plug-in builds against (5.3 to 5.6) lives here.
#pragma once

#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "Engine/RendererSettings.h"
#include "Engine/Scene.h"
#include "Misc/EngineVersion.h"
#include "Misc/EngineVersionComparison.h"
#include "UObject/UnrealType.h"

#if WITH_EDITOR
#include "Editor.h"
#include "LevelEditorSubsystem.h"
#endif

namespace OrvaneCompat
{
	/** Reads an unsigned 64-bit number field with the engine's rounding and range rules. */
	inline bool TryGetUInt64Field(const FJsonObject& Object, const TCHAR* FieldName, uint64& OutNumber)
	{
#if UE_VERSION_OLDER_THAN(5, 4, 0)
		// 5.3 has no unsigned 64-bit accessor: read the double and convert as later engines do.
		double Number = 0.0;
		if (!Object.TryGetNumberField(FieldName, Number) || !(Number >= 0.0) || Number >= 18446744073709551616.0)
		{
			return false;
		}
		OutNumber = static_cast<uint64>(FMath::RoundHalfFromZero(Number));
		return true;
#else
		return Object.TryGetNumberField(FieldName, OutNumber);
#endif
	}

	/** True when the project keeps the alpha channel through post-processing. */
	inline bool IsAlphaChannelInPostProcessingEnabled(const URendererSettings& Settings)
	{
#if UE_VERSION_OLDER_THAN(5, 5, 0)
		// Before 5.5 the setting is a mode; alpha reaches the output only through the tonemapper mode.
		return Settings.bEnableAlphaChannelInPostProcessing == EAlphaChannelMode::AllowThroughTonemapper;
#else
		return Settings.bEnableAlphaChannelInPostProcessing;
#endif
	}

	/** Keeps the alpha channel through post-processing. */
	inline void EnableAlphaChannelInPostProcessing(URendererSettings& Settings)
	{
#if UE_VERSION_OLDER_THAN(5, 5, 0)
		Settings.bEnableAlphaChannelInPostProcessing = EAlphaChannelMode::AllowThroughTonemapper;
#else
		Settings.bEnableAlphaChannelInPostProcessing = true;
#endif
	}

	/** True when the running engine is Major.Minor or later. */
	inline bool IsRunningEngineAtLeast(uint16 Major, uint16 Minor)
	{
		const FEngineVersion& Version = FEngineVersion::Current();
		return Version.GetMajor() > Major || (Version.GetMajor() == Major && Version.GetMinor() >= Minor);
	}

	/**
	 * The post-process settings of a cube scene capture, found by reflection because the property only exists
	 * from 5.4 on; null on older engines.
	 */
	inline FPostProcessSettings* FindCubeCapturePostProcessSettings(UObject& CubeCapture)
	{
		if (!IsRunningEngineAtLeast(5, 4))
		{
			return nullptr;
		}
		const FStructProperty* Property = FindFProperty<FStructProperty>(CubeCapture.GetClass(), TEXT("PostProcessSettings"));
		if (!Property || Property->Struct != FPostProcessSettings::StaticStruct())
		{
			return nullptr;
		}
		return Property->ContainerPtrToValuePtr<FPostProcessSettings>(&CubeCapture);
	}

#if WITH_EDITOR
	/**
	 * The level editor subsystem when it can start play sessions itself (5.5 and later); null on older
	 * engines and while the editor has no subsystems, where the caller requests the session through the
	 * editor engine instead.
	 */
	inline ULevelEditorSubsystem* GetPlaySessionSubsystem()
	{
#if UE_VERSION_OLDER_THAN(5, 5, 0)
		return nullptr;
#else
		return GEditor ? GEditor->GetEditorSubsystem<ULevelEditorSubsystem>() : nullptr;
#endif
	}

	/** Asks the subsystem from GetPlaySessionSubsystem for a play session in the level editor. */
	inline void RequestBeginPlay(ULevelEditorSubsystem& Subsystem)
	{
#if !UE_VERSION_OLDER_THAN(5, 5, 0)
		Subsystem.EditorRequestBeginPlay();
#endif
	}
#endif
}
