// Copyright Kelmora. All Rights Reserved.
#include "Editor.h"
#include "Engine/Blueprint.h"
#include "Kismet2/BlueprintEditorUtils.h"
#include "Kismet2/KismetEditorUtilities.h"
#include "Modules/ModuleManager.h"
#include "UObject/Package.h"

UEditorEngine* GEditor = nullptr;

FWorldContext& UEditorEngine::GetEditorWorldContext(bool bEnsureIsGWorld)
{
	if (!EditorWorldContext.World())
	{
		EditorWorldContext.WorldType = EWorldType::Editor;
		EditorWorldContext.SetCurrentWorld(UWorld::CreateWorld(EWorldType::Editor, true, FName(TEXT("EditorWorld"))));
	}
	return EditorWorldContext;
}

void FKismetEditorUtilities::CompileBlueprint(UBlueprint* BlueprintObj, EBlueprintCompileOptions CompileFlags, FCompilerResultsLog* pResults)
{
	FHostBlueprintCompiler::Compile(BlueprintObj);
}

void FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(UBlueprint* Blueprint)
{
	MarkBlueprintAsModified(Blueprint);
}

void FBlueprintEditorUtils::MarkBlueprintAsModified(UBlueprint* Blueprint)
{
	if (Blueprint)
	{
		Blueprint->MarkPackageDirty();
	}
}

/** Starts the editor engine, as the editor does before plug-ins load. */
class FUnrealEdModule : public IModuleInterface
{
public:
	virtual void StartupModule() override
	{
		if (!GEditor)
		{
			GEditor = NewObject<UEditorEngine>(GetTransientPackage(), FName(TEXT("EditorEngine")));
			GEditor->AddToRoot();
			GEngine = GEditor;
		}
	}
};

IMPLEMENT_MODULE(FUnrealEdModule, UnrealEd)
