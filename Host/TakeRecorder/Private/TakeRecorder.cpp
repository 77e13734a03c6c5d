// Copyright Kelmora. All Rights Reserved.
#include "Modules/ModuleManager.h"
#include "Recorder/TakeRecorderBlueprintLibrary.h"
#include "Recorder/TakeRecorderPanel.h"
#include "TakeMetaData.h"
#include "UObject/Package.h"

namespace
{
	struct FTakeRecorderState
	{
		UTakeRecorderPanel* Panel = nullptr;
		bool bRecording = false;
		TArray<UE::TakeRecorder::Host::FRecordedTake> Takes;
	};

	FTakeRecorderState& State()
	{
		static FTakeRecorderState Instance;
		return Instance;
	}
}

void UTakeRecorderPanel::StartRecording() const
{
	FTakeRecorderState& Recorder = State();
	if (Recorder.bRecording || !TakeMetaData)
	{
		return;
	}
	Recorder.bRecording = true;
	Recorder.Takes.Add({TakeMetaData->GetSlate(), TakeMetaData->GetTakeNumber(), false});
}

void UTakeRecorderPanel::StopRecording() const
{
	FTakeRecorderState& Recorder = State();
	if (!Recorder.bRecording)
	{
		return;
	}
	Recorder.bRecording = false;
	Recorder.Takes.Last().bFinished = true;
	// As in the editor, the panel moves on to the next take of the slate once a take is recorded.
	if (TakeMetaData)
	{
		TakeMetaData->SetTakeNumber(Recorder.Takes.Last().TakeNumber + 1, false);
	}
}

bool UTakeRecorderPanel::CanStartRecording(FText& OutErrorText) const
{
	if (State().bRecording)
	{
		OutErrorText = FText::FromString(TEXT("A recording is already in progress."));
		return false;
	}
	if (!TakeMetaData)
	{
		OutErrorText = FText::FromString(TEXT("There is no take to record."));
		return false;
	}
	return true;
}

UTakeRecorderPanel* UTakeRecorderBlueprintLibrary::GetTakeRecorderPanel()
{
	return State().Panel;
}

UTakeRecorderPanel* UTakeRecorderBlueprintLibrary::OpenTakeRecorderPanel()
{
	FTakeRecorderState& Recorder = State();
	if (!Recorder.Panel)
	{
		Recorder.Panel = NewObject<UTakeRecorderPanel>(GetTransientPackage());
		Recorder.Panel->AddToRoot();
		Recorder.Panel->TakeMetaData = NewObject<UTakeMetaData>(Recorder.Panel);
	}
	return Recorder.Panel;
}

bool UTakeRecorderBlueprintLibrary::IsRecording()
{
	return State().bRecording;
}

namespace UE::TakeRecorder::Host
{
	void CloseTakeRecorderPanel()
	{
		FTakeRecorderState& Recorder = State();
		if (Recorder.Panel)
		{
			Recorder.Panel->RemoveFromRoot();
			Recorder.Panel->MarkAsGarbage();
			Recorder.Panel = nullptr;
		}
	}

	const TArray<FRecordedTake>& GetRecordedTakes()
	{
		return State().Takes;
	}

	void ResetTakeRecorder()
	{
		CloseTakeRecorderPanel();
		State().bRecording = false;
		State().Takes.Reset();
	}
}

IMPLEMENT_MODULE(FDefaultModuleImpl, TakeRecorder)
