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
	for (FWorldContext& Context : WorldList)
	{
		if (Context.WorldType == EWorldType::Editor && Context.World())
		{
			return Context;
		}
	}
	FWorldContext& Context = CreateNewWorldContext(EWorldType::Editor);
	Context.SetCurrentWorld(UWorld::CreateWorld(EWorldType::Editor, true, FName(TEXT("EditorWorld"))));
	if (!GWorld)
	{
		GWorld = Context.World();
	}
	return Context;
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
			// The editor opens its level before plug-ins load: the editor world is there and is the current one.
			GEditor->GetEditorWorldContext();
		}
	}
};

IMPLEMENT_MODULE(FUnrealEdModule, UnrealEd)
