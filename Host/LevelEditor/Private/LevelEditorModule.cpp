// Copyright Kelmora. All Rights Reserved.
#include "Editor.h"
#include "Layout/Children.h"
#include "LevelEditor.h"
#include "LevelEditorSubsystem.h"
#include "Modules/ModuleManager.h"

#include <memory>

namespace
{
	const TCHAR* const ToggleImmersiveCommand = TEXT("LevelEditor.ToggleImmersive");

	/** The level editor widget: its viewports are its children, in order. */
	class SHostLevelEditor : public ILevelEditor
	{
	public:
		SLATE_BEGIN_ARGS(SHostLevelEditor) {}
		SLATE_END_ARGS()

		SHostLevelEditor()
			: ViewportSlots(this)
		{
		}

		void Construct(const FArguments& InArgs) {}

		void SetViewports(const TArray<TSharedPtr<SLevelViewport>>& InViewports, TSharedPtr<SLevelViewport> InActive)
		{
			Viewports = InViewports;
			ActiveViewport = InActive;
			for (const TSharedPtr<SLevelViewport>& Viewport : Viewports)
			{
				if (Viewport)
				{
					std::unique_ptr<FSlotBase> Slot = std::make_unique<FSlotBase>();
					FSlotBase* Added = Slot.get();
					ViewportSlots.AddSlot(std::move(Slot));
					Added->AttachWidget(Viewport.ToSharedRef());
				}
			}
		}

		FChildren* GetChildren() override { return &ViewportSlots; }
		TSharedPtr<SLevelViewport> GetActiveViewportInterface() override { return ActiveViewport.Pin(); }
		TArray<TSharedPtr<SLevelViewport>> GetViewports() const override { return Viewports; }

	private:
		TPanelChildren<FSlotBase> ViewportSlots;
		TArray<TSharedPtr<SLevelViewport>> Viewports;
		TWeakPtr<SLevelViewport> ActiveViewport;
	};
}

void SLevelViewport::Construct(const FArguments& InArgs)
{
}

void FLevelEditorModule::StartupModule()
{
	UEngine::HostRegisterExecCommand(ToggleImmersiveCommand, [this]()
		{
			if (const TSharedPtr<SLevelViewport> Viewport = GetFirstActiveLevelViewport())
			{
				Viewport->MakeImmersive(!Viewport->IsImmersive(), true);
			} });
}

void FLevelEditorModule::ShutdownModule()
{
	UEngine::HostUnregisterExecCommand(ToggleImmersiveCommand);
}

TSharedPtr<ILevelEditor> FLevelEditorModule::GetFirstLevelEditor() const
{
	return LevelEditorInstance.Pin();
}

TSharedPtr<SLevelViewport> FLevelEditorModule::GetFirstActiveLevelViewport()
{
	const TSharedPtr<ILevelEditor> LevelEditor = GetFirstLevelEditor();
	return LevelEditor ? LevelEditor->GetActiveViewportInterface() : nullptr;
}

TSharedPtr<IAssetViewport> FLevelEditorModule::GetFirstActiveViewport()
{
	return GetFirstActiveLevelViewport();
}

TSharedRef<ILevelEditor> FLevelEditorModule::HostCreateLevelEditor(const TArray<TSharedPtr<SLevelViewport>>& Viewports, TSharedPtr<SLevelViewport> ActiveViewport)
{
	TSharedRef<SHostLevelEditor> LevelEditor = SNew(SHostLevelEditor);
	LevelEditor->SetViewports(Viewports, ActiveViewport);
	LevelEditorInstance = LevelEditor;
	return LevelEditor;
}

void ULevelEditorSubsystem::EditorRequestBeginPlay()
{
	if (!GEditor)
	{
		return;
	}
	FRequestPlaySessionParams Params;
	if (FLevelEditorModule* LevelEditorModule = FModuleManager::GetModulePtr<FLevelEditorModule>(TEXT("LevelEditor")))
	{
		if (const TSharedPtr<IAssetViewport> Viewport = LevelEditorModule->GetFirstActiveViewport())
		{
			Params.DestinationSlateViewport = TWeakPtr<IAssetViewport>(Viewport);
		}
	}
	GEditor->RequestPlaySession(Params);
}

void ULevelEditorSubsystem::EditorRequestEndPlay()
{
	if (GEditor)
	{
		GEditor->RequestEndPlayMap();
	}
}

bool ULevelEditorSubsystem::IsInPlayInEditor() const
{
	return GEditor && GEditor->IsPlaySessionInProgress();
}

IMPLEMENT_MODULE(FLevelEditorModule, LevelEditor)
