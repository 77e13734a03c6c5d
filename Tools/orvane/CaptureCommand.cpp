// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"

#include "CoreMinimal.h"
#include "Camera/CameraComponent.h"
#include "Editor.h"
#include "Engine/TextureRenderTarget2D.h"
#include "Engine/World.h"
#include "LogCapture.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCaptureImage.h"
#include "OrvaneCaptureRequest.h"
#include "ToolArguments.h"
#include "ToolJson.h"
#include "UObject/UObjectIterator.h"

#include <cstdio>
#include <set>
#include <string>

namespace
{
	struct FCaptureArguments
	{
		FString File;
		bool bPanorama = false;
		bool bFormatGiven = false;
		EOrvaneCaptureFormat Format = EOrvaneCaptureFormat::EXR;
		int32 Width = 1920;
		int32 Height = 1080;
		int32 HDRSwitch = -1;
		double Overscan = 1.0;
		bool bIncludeRotation = false;
		FVector Location = FVector::ZeroVector;
		FRotator Rotation = FRotator::ZeroRotator;
		double FieldOfView = 90.0;
		bool bCameraComponent = true;
	};

	const char* FormatName(EOrvaneCaptureFormat Format)
	{
		switch (Format)
		{
		case EOrvaneCaptureFormat::PNG:
			return "PNG";
		case EOrvaneCaptureFormat::JPEG:
			return "JPEG";
		case EOrvaneCaptureFormat::HDR:
			return "HDR";
		default:
			return "EXR";
		}
	}

	/** Three comma-separated finite numbers. */
	bool ParseTriple(const std::string& Text, double (&Out)[3])
	{
		size_t Start = 0;
		for (int32 Index = 0; Index < 3; ++Index)
		{
			const size_t Comma = Text.find(',', Start);
			if ((Index < 2) == (Comma == std::string::npos))
			{
				return false;
			}
			if (!ParseNumber(Text.substr(Start, Comma == std::string::npos ? std::string::npos : Comma - Start), Out[Index]) || !FMath::IsFinite(Out[Index]))
			{
				return false;
			}
			Start = Comma + 1;
		}
		return true;
	}

	bool ParseCaptureArguments(int ArgC, char** ArgV, FCaptureArguments& Out)
	{
		std::string File;
		for (int Index = 2; Index < ArgC; ++Index)
		{
			const std::string Argument = ArgV[Index];
			const bool bHasValue = Index + 1 < ArgC;
			double Number = 0.0;
			long long Integer = 0;
			double Triple[3] = {};
			if (Argument == "--eq")
			{
				Out.bPanorama = true;
			}
			else if (Argument == "--hdr" || Argument == "--no-hdr")
			{
				Out.HDRSwitch = Argument == "--hdr" ? 1 : 0;
			}
			else if (Argument == "--include-rotation")
			{
				Out.bIncludeRotation = true;
			}
			else if (Argument == "--no-camera-component")
			{
				Out.bCameraComponent = false;
			}
			else if (Argument == "--format" && bHasValue)
			{
				const std::string Value = ArgV[++Index];
				Out.bFormatGiven = true;
				if (Value == "png")
				{
					Out.Format = EOrvaneCaptureFormat::PNG;
				}
				else if (Value == "jpeg")
				{
					Out.Format = EOrvaneCaptureFormat::JPEG;
				}
				else if (Value == "exr")
				{
					Out.Format = EOrvaneCaptureFormat::EXR;
				}
				else if (Value == "hdr")
				{
					Out.Format = EOrvaneCaptureFormat::HDR;
				}
				else
				{
					std::fprintf(stderr, "orvane capture: --format takes png, jpeg, exr or hdr, not %s\n", Value.c_str());
					return false;
				}
			}
			else if ((Argument == "--width" || Argument == "--height") && bHasValue && ParseInteger(ArgV[Index + 1], TNumericLimits<int32>::Min(), TNumericLimits<int32>::Max(), Integer))
			{
				++Index;
				(Argument == "--width" ? Out.Width : Out.Height) = static_cast<int32>(Integer);
			}
			else if ((Argument == "--overscan" || Argument == "--fov") && bHasValue && ParseNumber(ArgV[Index + 1], Number))
			{
				++Index;
				(Argument == "--overscan" ? Out.Overscan : Out.FieldOfView) = Number;
			}
			else if ((Argument == "--location" || Argument == "--rotation") && bHasValue && ParseTriple(ArgV[Index + 1], Triple))
			{
				++Index;
				if (Argument == "--location")
				{
					Out.Location = FVector(Triple[0], Triple[1], Triple[2]);
				}
				else
				{
					Out.Rotation = FRotator(Triple[0], Triple[1], Triple[2]);
				}
			}
			else if (!Argument.empty() && Argument[0] != '-' && File.empty())
			{
				File = Argument;
			}
			else
			{
				std::fprintf(stderr, "orvane capture: unexpected argument %s\n", Argument.c_str());
				return false;
			}
		}
		if (File.empty())
		{
			std::fprintf(stderr, "orvane capture: no output file\n");
			return false;
		}
		Out.File = FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(File.c_str())));
		return true;
	}

	/** The virtual-production camera in the editor world; without a camera component only a plain root stays. */
	AActor* PlaceCamera(UWorld& World, const FCaptureArguments& Arguments)
	{
		UClass* CameraClass = StaticLoadClass(AActor::StaticClass(), nullptr, TEXT("/Orvane/Orvane_VP_Camera.Orvane_VP_Camera_C"));
		AActor* Camera = CameraClass ? World.SpawnActor(CameraClass, Arguments.Location, Arguments.Rotation) : nullptr;
		if (!Camera)
		{
			return nullptr;
		}
		UCameraComponent* CameraComponent = Camera->FindComponentByClass<UCameraComponent>();
		if (Arguments.bCameraComponent && CameraComponent)
		{
			CameraComponent->FieldOfView = static_cast<float>(Arguments.FieldOfView);
		}
		else if (CameraComponent)
		{
			CameraComponent->DestroyComponent();
			Camera->SetRootComponent(NewObject<USceneComponent>(Camera, FName(TEXT("Root"))));
		}
		Camera->SetActorLocationAndRotation(Arguments.Location, Arguments.Rotation);
		return Camera;
	}
}

int RunCapture(int ArgC, char** ArgV)
{
	FCaptureArguments Arguments;
	if (!ParseCaptureArguments(ArgC, ArgV, Arguments))
	{
		std::fputs("usage: orvane capture OUT [--eq] [--format png|jpeg|exr|hdr] [--width W] [--height H] [--hdr|--no-hdr] [--overscan F]\n"
				   "                      [--include-rotation] [--location X,Y,Z] [--rotation PITCH,YAW,ROLL] [--fov DEG] [--no-camera-component]\n",
			stderr);
		return 2;
	}
	EOrvaneCaptureFormat Format = EOrvaneCaptureFormat::EXR;
	bool bEnableHDR = true;
	OrvaneCaptureRequest::FormatFromFileName(Arguments.File, Format, bEnableHDR);
	if (Arguments.bFormatGiven)
	{
		Format = Arguments.Format;
	}
	if (Arguments.HDRSwitch >= 0)
	{
		bEnableHDR = Arguments.HDRSwitch == 1;
	}

	for (const TCHAR* Module : {TEXT("UnrealEd"), TEXT("OrvaneLiveLink"), TEXT("Orvaneui")})
	{
		FModuleManager::Get().LoadModule(Module);
	}
	FLogCapture Log(true);
	UWorld* World = GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	if (!World || !PlaceCamera(*World, Arguments))
	{
		std::fprintf(stderr, "orvane capture: could not place the virtual-production camera\n");
		return 1;
	}

	std::set<UTextureRenderTarget2D*> TargetsBefore;
	for (TObjectIterator<UTextureRenderTarget2D> It; It; ++It)
	{
		TargetsBefore.insert(*It);
	}
	const float Overscan = static_cast<float>(Arguments.Overscan);
	const bool bCaptured = Arguments.bPanorama
							   ? UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Arguments.File, Format, Arguments.Width, Arguments.Height, bEnableHDR, Arguments.bIncludeRotation)
							   : UOrvaneCaptureImg::Capture2DImageFromVPCamera(Arguments.File, Format, Arguments.Width, Arguments.Height, bEnableHDR, Overscan);
	if (!bCaptured)
	{
		int32 Printed = 0;
		for (const FCapturedLogLine& Line : Log.Lines())
		{
			if (Line.Verbosity <= ELogVerbosity::Warning)
			{
				std::fprintf(stderr, "orvane capture: %s\n", TCHAR_TO_UTF8(*Line.Message));
				++Printed;
			}
		}
		if (Printed == 0)
		{
			std::fprintf(stderr, "orvane capture: nothing was written (is the conversion material missing?)\n");
		}
		return 1;
	}

	// The output target is the render target the capture made last.
	const UTextureRenderTarget2D* Target = nullptr;
	for (TObjectIterator<UTextureRenderTarget2D> It; It; ++It)
	{
		if (!TargetsBefore.count(*It))
		{
			Target = *It;
		}
	}
	const TSharedRef<FJsonObject> Result = MakeShared<FJsonObject>();
	Result->SetStringField(TEXT("file"), Arguments.File);
	Result->SetNumberField(TEXT("width"), Target ? Target->SizeX : 0);
	Result->SetNumberField(TEXT("height"), Target ? Target->SizeY : 0);
	Result->SetStringField(TEXT("format"), FormatName(Format));
	if (Target)
	{
		const TSharedRef<FJsonObject> TargetObject = MakeShared<FJsonObject>();
		TargetObject->SetStringField(TEXT("format"), Target->GetFormat() == PF_FloatRGBA ? TEXT("RGBA16F") : TEXT("RGBA8"));
		TargetObject->SetField(TEXT("gamma"), JsonNumber(Target->TargetGamma));
		TargetObject->SetBoolField(TEXT("forceLinearGamma"), Target->bForceLinearGamma);
		Result->SetObjectField(TEXT("target"), TargetObject);
	}
	if (!Arguments.bPanorama)
	{
		// The angle the capture used: the camera component's field of view (90 without one) times the overscan, in floats.
		const float CameraAngle = Arguments.bCameraComponent ? static_cast<float>(Arguments.FieldOfView) : 90.0f;
		Result->SetField(TEXT("fov"), JsonNumber(CameraAngle * Overscan));
	}
	std::printf("%s\n", TCHAR_TO_UTF8(*ToJsonLine(Result)));
	return 0;
}
