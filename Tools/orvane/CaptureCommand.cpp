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
#include <memory>
#include <set>
#include <string>
#include <utility>

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

	/** The capture format a --format value names; false when it names none. */
	bool ParseFormat(const std::string& Text, EOrvaneCaptureFormat& OutFormat)
	{
		static const std::pair<const char*, EOrvaneCaptureFormat> Formats[] = {{"png", EOrvaneCaptureFormat::PNG}, {"jpeg", EOrvaneCaptureFormat::JPEG}, {"exr", EOrvaneCaptureFormat::EXR}, {"hdr", EOrvaneCaptureFormat::HDR}};
		for (const auto& [Name, Format] : Formats)
		{
			if (Text == Name)
			{
				OutFormat = Format;
				return true;
			}
		}
		return false;
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

	int Capture(const FCaptureArguments& Arguments)
	{
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
}

void PrintCaptureUsage()
{
	std::fputs("usage: orvane capture OUT [--eq] [--format png|jpeg|exr|hdr] [--width W] [--height H] [--hdr|--no-hdr] [--overscan F]\n"
			   "                      [--include-rotation] [--location X,Y,Z] [--rotation PITCH,YAW,ROLL] [--fov DEG] [--no-camera-component]\n",
		stderr);
}

void AddCaptureCommand(CLI::App& Tool, FToolCommand& OutCommand)
{
	using namespace OrvaneOptions;
	struct FCommandLine
	{
		FCaptureArguments Arguments;
		std::string File;
		bool bHDR = false;
		bool bNoHDR = false;
	};
	const auto Line = std::make_shared<FCommandLine>();
	FCaptureArguments& Arguments = Line->Arguments;
	CLI::App* Command = Tool.add_subcommand("capture", "place the virtual-production camera in a headless editor level and capture a flat still or a panorama into OUT; prints the written file, its size, format and target as JSON");
	Command->add_option("OUT", Line->File, "the picture to write; the format and HDR follow its extension (.png, .jpg: HDR off; .hdr: HDR; others: EXR with HDR)")->required()->type_name("")->transform(NotEmpty("an output file"));
	Command->add_flag("--eq", Arguments.bPanorama, "capture a panorama of 4 x W by 2 x W instead of a flat still");
	AddParsed(*Command, "--format", "the picture's format", "png, jpeg, exr or hdr", [Line](const std::string& Text)
		{ return Line->Arguments.bFormatGiven = ParseFormat(Text, Line->Arguments.Format); })
		->type_name("png|jpeg|exr|hdr")
		->default_str("by OUT's extension");
	Command->add_option("--width", Arguments.Width, "the still's width in pixels, or the panorama's W")->type_name("W")->transform(Integer(TNumericLimits<int32>::Min(), TNumericLimits<int32>::Max(), "a number of pixels"));
	Command->add_option("--height", Arguments.Height, "the still's height in pixels")->type_name("H")->transform(Integer(TNumericLimits<int32>::Min(), TNumericLimits<int32>::Max(), "a number of pixels"));
	CLI::Option* HDR = Command->add_flag("--hdr", Line->bHDR, "capture with HDR (default by OUT's extension)");
	Command->add_flag("--no-hdr", Line->bNoHDR, "capture without HDR (default by OUT's extension)")->excludes(HDR);
	Command->add_option("--overscan", Arguments.Overscan, "the field-of-view overscan")->type_name("F")->transform(Number("a number"));
	Command->add_flag("--include-rotation", Arguments.bIncludeRotation, "the panorama follows the camera's rotation");
	const auto ReadLocation = [Line](const std::string& Text)
	{
		double Triple[3] = {};
		const bool bRead = ParseTriple(Text, Triple);
		Line->Arguments.Location = FVector(Triple[0], Triple[1], Triple[2]);
		return bRead;
	};
	AddParsed(*Command, "--location", "the camera's location", "three numbers X,Y,Z", ReadLocation)->type_name("X,Y,Z")->default_str("0,0,0");
	const auto ReadRotation = [Line](const std::string& Text)
	{
		double Triple[3] = {};
		const bool bRead = ParseTriple(Text, Triple);
		Line->Arguments.Rotation = FRotator(Triple[0], Triple[1], Triple[2]);
		return bRead;
	};
	AddParsed(*Command, "--rotation", "the camera's rotation in degrees", "three numbers PITCH,YAW,ROLL", ReadRotation)->type_name("PITCH,YAW,ROLL")->default_str("0,0,0");
	Command->add_option("--fov", Arguments.FieldOfView, "the camera's field of view in degrees")->type_name("DEG")->transform(Number("a number of degrees"));
	Command->add_flag_callback(
		"--no-camera-component", [Line]()
		{ Line->Arguments.bCameraComponent = false; },
		"remove the camera's camera component first");
	Command->callback([Line, &OutCommand]()
		{
			Line->Arguments.File = FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(Line->File.c_str())));
			Line->Arguments.HDRSwitch = Line->bHDR ? 1 : Line->bNoHDR ? 0 : -1;
			OutCommand = [Line]()
			{ return Capture(Line->Arguments); }; });
}
