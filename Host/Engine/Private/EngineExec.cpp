// Copyright Kelmora. All Rights Reserved.
#include "Engine/Engine.h"

#include <mutex>

namespace
{
	struct FExecCommands
	{
		std::mutex Mutex;
		TMap<FString, TFunction<void()>> Handlers;
	};

	FExecCommands& Commands()
	{
		static FExecCommands Instance;
		return Instance;
	}

	FString CommandName(const TCHAR* Cmd)
	{
		FString Line(Cmd ? Cmd : TEXT(""));
		Line.TrimStartAndEndInline();
		int32 Space = INDEX_NONE;
		if (Line.FindChar(TEXT(' '), Space))
		{
			Line = Line.Left(Space);
		}
		return Line;
	}
}

bool UEngine::Exec(UWorld* InWorld, const TCHAR* Cmd, FOutputDevice& Ar)
{
	const FString Name = CommandName(Cmd);
	TFunction<void()> Handler;
	{
		std::lock_guard<std::mutex> Lock(Commands().Mutex);
		if (const TFunction<void()>* Found = Commands().Handlers.Find(Name))
		{
			Handler = *Found;
		}
	}
	if (!Handler)
	{
		return false;
	}
	// Outside the lock: a command may register or remove commands.
	Handler();
	return true;
}

void UEngine::HostRegisterExecCommand(const TCHAR* Name, TFunction<void()> Handler)
{
	std::lock_guard<std::mutex> Lock(Commands().Mutex);
	Commands().Handlers.Add(FString(Name), MoveTemp(Handler));
}

void UEngine::HostUnregisterExecCommand(const TCHAR* Name)
{
	std::lock_guard<std::mutex> Lock(Commands().Mutex);
	Commands().Handlers.Remove(FString(Name));
}
