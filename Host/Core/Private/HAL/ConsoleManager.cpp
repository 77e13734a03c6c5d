// Copyright Kelmora. All Rights Reserved.
#include "HAL/IConsoleManager.h"

#include "CoreGlobals.h"
#include "Logging/LogMacros.h"

#include <memory>
#include <mutex>
#include <vector>

namespace
{
	class FHostConsoleCommand : public IConsoleCommand
	{
	public:
		FHostConsoleCommand(const TCHAR* InName, const TCHAR* InHelp, const FConsoleCommandDelegate& InCommand)
			: Name(InName)
			, Help(InHelp ? InHelp : TEXT(""))
			, Command(InCommand)
		{
		}

		const TCHAR* GetHelp() const override { return *Help; }
		IConsoleCommand* AsCommand() override { return this; }
		bool Execute(const TArray<FString>& Args, UWorld* InWorld, FOutputDevice& OutputDevice) override
		{
			return Command.ExecuteIfBound();
		}

		const FString& GetName() const { return Name; }

	private:
		FString Name;
		FString Help;
		FConsoleCommandDelegate Command;
	};

	class FHostConsoleManager : public IConsoleManager
	{
	public:
		IConsoleCommand* RegisterConsoleCommand(const TCHAR* Name, const TCHAR* Help, const FConsoleCommandDelegate& Command, uint32 Flags) override
		{
			check(Name != nullptr);
			std::lock_guard<std::mutex> Lock(Mutex);
			if (FindLocked(Name) != Objects.end())
			{
				UE_LOG(LogTemp, Error, TEXT("Console object named '%s' already exists and is not registered again"), Name);
				return nullptr;
			}
			Objects.push_back(std::make_unique<FHostConsoleCommand>(Name, Help, Command));
			return Objects.back().get();
		}

		void UnregisterConsoleObject(IConsoleObject* ConsoleObject, bool bKeepState) override
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			for (auto It = Objects.begin(); It != Objects.end(); ++It)
			{
				if (It->get() == ConsoleObject)
				{
					Objects.erase(It);
					return;
				}
			}
		}

		void UnregisterConsoleObject(const TCHAR* Name, bool bKeepState) override
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			const auto It = FindLocked(Name);
			if (It != Objects.end())
			{
				Objects.erase(It);
			}
		}

		IConsoleObject* FindConsoleObject(const TCHAR* Name, bool bTrackFrequentCalls) const override
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			const auto It = FindLocked(Name);
			return It != Objects.end() ? It->get() : nullptr;
		}

		bool ProcessUserConsoleInput(const TCHAR* Input, FOutputDevice& Ar, UWorld* InWorld) override
		{
			// The engine requires an input, like a name at registration.
			check(Input != nullptr);
			TArray<FString> Words;
			FString(Input).ParseIntoArray(Words, TEXT(" "), true);
			if (Words.Num() == 0)
			{
				return false;
			}
			IConsoleObject* Object = FindConsoleObject(*Words[0], true);
			IConsoleCommand* Command = Object ? Object->AsCommand() : nullptr;
			if (!Command)
			{
				return false;
			}
			Words.RemoveAt(0);
			// Outside the lock: a command may register or remove commands.
			Command->Execute(Words, InWorld, Ar);
			return true;
		}

	private:
		using FObjects = std::vector<std::unique_ptr<FHostConsoleCommand>>;

		FObjects::const_iterator FindLocked(const TCHAR* Name) const
		{
			const FString Wanted(Name ? Name : TEXT(""));
			for (auto It = Objects.begin(); It != Objects.end(); ++It)
			{
				if ((*It)->GetName().Equals(Wanted, ESearchCase::IgnoreCase))
				{
					return It;
				}
			}
			return Objects.end();
		}

		mutable std::mutex Mutex;
		FObjects Objects;
	};
}

IConsoleManager& IConsoleManager::Get()
{
	static FHostConsoleManager Manager;
	return Manager;
}
