// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/IConsoleManager.h: console commands without arguments, found by name.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Delegates/Delegate.h"

class FOutputDevice;
class UWorld;

/** Flags of console objects; the host keeps them but acts on none. */
enum EConsoleVariableFlags
{
	ECVF_FlagMask = 0x0000ffff,
	ECVF_Default = 0x0,
	ECVF_Cheat = 0x1,
	ECVF_ReadOnly = 0x4,
	ECVF_Unregistered = 0x8,
};

/** A console command that takes no arguments. */
DECLARE_DELEGATE(FConsoleCommandDelegate);

/** A console variable or command. */
struct IConsoleObject
{
	IConsoleObject() = default;
	virtual ~IConsoleObject() = default;

	/** The help text given at registration. */
	virtual const TCHAR* GetHelp() const = 0;
	/** This object as a command, or null for a variable. */
	virtual struct IConsoleCommand* AsCommand() { return nullptr; }
};

/** A console command. */
struct IConsoleCommand : public IConsoleObject
{
	/** Runs the command; true when it ran (unconfirmed: the exact 5.6 signature). */
	virtual bool Execute(const TArray<FString>& Args, UWorld* InWorld, FOutputDevice& OutputDevice) = 0;
};

/** The process's console commands and variables. */
struct IConsoleManager
{
	/**
	 * Registers a command under Name (compared without regard to case). The engine does not expect a name
	 * to be registered twice; the host refuses it with an error and returns null (unconfirmed: the engine's
	 * exact answer to a second registration).
	 */
	virtual IConsoleCommand* RegisterConsoleCommand(const TCHAR* Name, const TCHAR* Help, const FConsoleCommandDelegate& Command, uint32 Flags = ECVF_Default) = 0;
	/** Removes a registered object; the pointer is not valid afterwards. */
	virtual void UnregisterConsoleObject(IConsoleObject* ConsoleObject, bool bKeepState = true) = 0;
	/** Removes the object registered under Name, if any. */
	virtual void UnregisterConsoleObject(const TCHAR* Name, bool bKeepState = true) = 0;
	/** The object registered under Name, or null (unconfirmed: the second parameter's name and default). */
	virtual IConsoleObject* FindConsoleObject(const TCHAR* Name, bool bTrackFrequentCalls = true) const = 0;
	/** Runs one line typed into the console: the command named by its first word. False when none is. */
	virtual bool ProcessUserConsoleInput(const TCHAR* Input, FOutputDevice& Ar, UWorld* InWorld) = 0;

	/** The process's console manager. */
	static IConsoleManager& Get();

protected:
	virtual ~IConsoleManager() = default;
};
