// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"

#include "CoreMinimal.h"
#include "Editor.h"
#include "Engine/Blueprint.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "LiveLinkComponentController.h"
#include "LiveLinkRole.h"
#include "LogCapture.h"
#include "Materials/Material.h"
#include "Materials/MaterialExpressionTextureSampleParameterCube.h"
#include "Materials/MaterialInstanceConstant.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvaneContent.h"
#include "ToolArguments.h"
#include "ToolJson.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace
{
	FString PathOf(const UObject* Object)
	{
		return Object ? Object->GetPathName() : FString();
	}

	TSharedRef<FJsonObject> DescribeVariable(const FBPVariableDescription& Variable)
	{
		TSharedRef<FJsonObject> Json = MakeShared<FJsonObject>();
		Json->SetStringField(TEXT("name"), Variable.VarName.ToString());
		Json->SetStringField(TEXT("type"), Variable.VarType.PinCategory.ToString());
		if (Variable.VarType.PinSubCategoryObject)
		{
			Json->SetStringField(TEXT("class"), PathOf(Variable.VarType.PinSubCategoryObject));
		}
		return Json;
	}

	/** The Live Link controllers of an actor of the blueprint's class, as construction leaves them in a level. */
	TArray<TSharedPtr<FJsonValue>> DescribeComponents(UClass* Class)
	{
		TArray<TSharedPtr<FJsonValue>> Components;
		UWorld* World = GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
		AActor* Actor = World && Class && Class->IsChildOf(AActor::StaticClass()) ? World->SpawnActor(Class, FVector::ZeroVector, FRotator::ZeroRotator) : nullptr;
		if (!Actor)
		{
			return Components;
		}
		TArray<ULiveLinkComponentController*> Controllers;
		Actor->GetComponents(Controllers);
		for (const ULiveLinkComponentController* Controller : Controllers)
		{
			TSharedRef<FJsonObject> Json = MakeShared<FJsonObject>();
			Json->SetStringField(TEXT("name"), Controller->GetName());
			Json->SetStringField(TEXT("class"), PathOf(Controller->GetClass()));
			Json->SetStringField(TEXT("subject"), Controller->GetSubjectRepresentation().Subject.Name.ToString());
			Json->SetStringField(TEXT("role"), PathOf(Controller->GetSubjectRepresentation().Role.Get()));
			Components.Add(MakeShared<FJsonValueObject>(Json));
		}
		World->DestroyActor(Actor);
		return Components;
	}

	TSharedRef<FJsonObject> DescribeAsset(EOrvaneContentAsset Asset)
	{
		TSharedRef<FJsonObject> Json = MakeShared<FJsonObject>();
		const FString Path = FOrvaneContent::GetObjectPath(Asset);
		Json->SetStringField(TEXT("path"), Path);
		UObject* Object = LoadObject<UObject>(nullptr, *Path);
		if (!Object)
		{
			return Json;
		}
		Json->SetStringField(TEXT("class"), PathOf(Object->GetClass()));
		if (const UBlueprint* Blueprint = Cast<UBlueprint>(Object))
		{
			Json->SetStringField(TEXT("parent"), PathOf(Blueprint->ParentClass.Get()));
			TArray<TSharedPtr<FJsonValue>> Variables;
			for (const FBPVariableDescription& Variable : Blueprint->NewVariables)
			{
				Variables.Add(MakeShared<FJsonValueObject>(DescribeVariable(Variable)));
			}
			if (Variables.Num() > 0)
			{
				Json->SetArrayField(TEXT("variables"), Variables);
			}
			const TArray<TSharedPtr<FJsonValue>> Components = DescribeComponents(Blueprint->GeneratedClass.Get());
			if (Components.Num() > 0)
			{
				Json->SetArrayField(TEXT("components"), Components);
			}
		}
		else if (const UMaterialInstanceConstant* Instance = Cast<UMaterialInstanceConstant>(Object))
		{
			Json->SetStringField(TEXT("parent"), PathOf(Instance->Parent.Get()));
		}
		else if (const UMaterial* Material = Cast<UMaterial>(Object))
		{
			TArray<TSharedPtr<FJsonValue>> Parameters;
			for (const UMaterialExpression* Expression : Material->GetExpressions())
			{
				if (const UMaterialExpressionTextureSampleParameterCube* Cube = Cast<UMaterialExpressionTextureSampleParameterCube>(Expression))
				{
					TSharedRef<FJsonObject> Parameter = MakeShared<FJsonObject>();
					Parameter->SetStringField(TEXT("name"), Cube->ParameterName.ToString());
					Parameter->SetStringField(TEXT("type"), TEXT("TextureCube"));
					Parameters.Add(MakeShared<FJsonValueObject>(Parameter));
				}
			}
			if (Parameters.Num() > 0)
			{
				Json->SetArrayField(TEXT("parameters"), Parameters);
			}
			Json->SetStringField(TEXT("domain"), StaticEnum<EMaterialDomain>()->GetNameStringByValue(int64(Material->MaterialDomain.GetValue())));
		}
		return Json;
	}

	int Content(bool bRebuild)
	{
		FLogCapture Log(false);
		// The editor as it starts: loading the editor module makes whatever content is missing.
		for (const TCHAR* Module : {TEXT("UnrealEd"), TEXT("AssetRegistry"), TEXT("LiveLink"), TEXT("OrvaneLiveLink"), TEXT("Orvaneui")})
		{
			FModuleManager::Get().LoadModule(Module);
		}
		if (bRebuild)
		{
			FOrvaneContent::RebuildAll();
		}

		TArray<TSharedPtr<FJsonValue>> Assets;
		for (EOrvaneContentAsset Asset : FOrvaneContent::GetAllAssets())
		{
			Assets.Add(MakeShared<FJsonValueObject>(DescribeAsset(Asset)));
		}
		TSharedRef<FJsonObject> Document = MakeShared<FJsonObject>();
		Document->SetArrayField(TEXT("assets"), Assets);
		std::printf("%s\n", TCHAR_TO_UTF8(*ToJsonLine(Document)));
		return Log.CountContaining(TEXT("OrvaneContent: Failed to create ")) > 0 ? 1 : 0;
	}
}

void AddContentCommand(CLI::App& Tool, FToolCommand& OutCommand)
{
	struct FText
	{
		std::string ProjectDir;
		bool bRebuild = false;
	};
	const auto Text = std::make_shared<FText>();
	CLI::App* Command = Tool.add_subcommand("content", "make whatever of the plug-in's content is missing in the headless editor of the project, as the editor module does when it starts, and print the five assets as one JSON document");
	Command->add_option("--project", Text->ProjectDir, "the headless project whose plug-in folder receives the content")
		->type_name("DIR")
		->default_str("the host's default project")
		->transform(OrvaneOptions::NotEmpty("a project folder"));
	Command->add_flag("--rebuild", Text->bRebuild, "replace all five assets with newly made ones");
	Command->callback([Text, &OutCommand]()
		{ OutCommand = [Text]()
		  {
			  if (!Text->ProjectDir.empty())
			  {
				  const FString ProjectDir = FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(Text->ProjectDir.c_str())));
				  setenv("ORVANE_PROJECT_DIR", TCHAR_TO_UTF8(*ProjectDir), 1);
			  }
			  return Content(Text->bRebuild);
		  }; });
}
