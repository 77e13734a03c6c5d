// Copyright Kelmora. All Rights Reserved.
#include "DesktopPlatformModule.h"

#include "HostDesktopPlatform.h"
#include "Modules/ModuleManager.h"

#include <deque>
#include <optional>

namespace
{
	struct FHostDialogs
	{
		// An empty optional is a cancel.
		std::deque<std::optional<TArray<FString>>> Answers;
		TArray<UE::DesktopPlatform::Host::FOpenFileDialogCall> Calls;
	};

	FHostDialogs& Dialogs()
	{
		static FHostDialogs State;
		return State;
	}

	class FHostDesktopPlatform final : public IDesktopPlatform
	{
	public:
		bool OpenFileDialog(const void* ParentWindowHandle, const FString& DialogTitle, const FString& DefaultPath, const FString& DefaultFile, const FString& FileTypes, uint32 Flags, TArray<FString>& OutFilenames) override
		{
			int32 FilterIndex = 0;
			return OpenFileDialog(ParentWindowHandle, DialogTitle, DefaultPath, DefaultFile, FileTypes, Flags, OutFilenames, FilterIndex);
		}

		bool OpenFileDialog(const void* ParentWindowHandle, const FString& DialogTitle, const FString& DefaultPath, const FString& DefaultFile, const FString& FileTypes, uint32 Flags, TArray<FString>& OutFilenames, int32& OutFilterIndex) override
		{
			FHostDialogs& State = Dialogs();
			State.Calls.Add({ParentWindowHandle, DialogTitle, DefaultPath, DefaultFile, FileTypes, Flags});
			OutFilterIndex = 0;
			if (State.Answers.empty())
			{
				return false;
			}
			std::optional<TArray<FString>> Answer = std::move(State.Answers.front());
			State.Answers.pop_front();
			if (!Answer)
			{
				return false;
			}
			// A single-file dialog hands back one file at most.
			for (const FString& File : *Answer)
			{
				OutFilenames.Add(File);
				if (!(Flags & EFileDialogFlags::Multiple))
				{
					break;
				}
			}
			return true;
		}
	};
}

IDesktopPlatform* FDesktopPlatformModule::Get()
{
	static FHostDesktopPlatform Platform;
	return &Platform;
}

void UE::DesktopPlatform::Host::QueueChosenFiles(const TArray<FString>& Files)
{
	Dialogs().Answers.emplace_back(Files);
}

void UE::DesktopPlatform::Host::QueueCancel()
{
	Dialogs().Answers.emplace_back(std::nullopt);
}

TArray<UE::DesktopPlatform::Host::FOpenFileDialogCall> UE::DesktopPlatform::Host::GetOpenFileDialogCalls()
{
	return Dialogs().Calls;
}

void UE::DesktopPlatform::Host::Reset()
{
	Dialogs().Answers.clear();
	Dialogs().Calls.Empty();
}

IMPLEMENT_MODULE(FDesktopPlatformModule, DesktopPlatform)
