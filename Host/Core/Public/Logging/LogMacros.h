// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Logging/LogMacros.h and Logging/LogCategory.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Logging/LogVerbosity.h"
#include "UObject/NameTypes.h"

#include <atomic>

#ifndef CORE_API
#define CORE_API
#endif

/** A log category: its name and the most verbose level it lets through at run time. */
class FLogCategoryBase
{
public:
	FLogCategoryBase(const TCHAR* InCategoryName, ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity)
		: CategoryName(InCategoryName)
		, Verbosity(InDefaultVerbosity)
		, CompileTimeVerbosity(InCompileTimeVerbosity)
	{
	}

	bool IsSuppressed(ELogVerbosity::Type VerbosityLevel) const
	{
		const ELogVerbosity::Type Level = static_cast<ELogVerbosity::Type>(VerbosityLevel & ELogVerbosity::VerbosityMask);
		return Level > Verbosity.load(std::memory_order_relaxed) || Level > CompileTimeVerbosity;
	}
	const FName& GetCategoryName() const { return CategoryName; }
	ELogVerbosity::Type GetVerbosity() const { return Verbosity.load(std::memory_order_relaxed); }
	void SetVerbosity(ELogVerbosity::Type NewVerbosity) { Verbosity.store(NewVerbosity, std::memory_order_relaxed); }

private:
	FName CategoryName;
	std::atomic<ELogVerbosity::Type> Verbosity;
	ELogVerbosity::Type CompileTimeVerbosity;
};

template <ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity>
class FLogCategory : public FLogCategoryBase
{
public:
	static constexpr ELogVerbosity::Type CompileTimeVerbosity = InCompileTimeVerbosity;
	explicit FLogCategory(const TCHAR* InCategoryName)
		: FLogCategoryBase(InCategoryName, InDefaultVerbosity, InCompileTimeVerbosity)
	{
	}
};

namespace UE::Host
{
	/** Formats nothing: hands one finished line to GLog. Fatal lines end the process, as in the engine. */
	void LogLine(const FLogCategoryBase& Category, ELogVerbosity::Type Verbosity, const FString& Message);
}

#define DECLARE_LOG_CATEGORY_EXTERN(CategoryName, DefaultVerbosity, CompileTimeVerbosity)                                                \
	extern struct FLogCategory##CategoryName : public FLogCategory<ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity> \
	{                                                                                                                                    \
		FLogCategory##CategoryName()                                                                                                     \
			: FLogCategory(TEXT(#CategoryName))                                                                                          \
		{                                                                                                                                \
		}                                                                                                                                \
	} CategoryName

#define DEFINE_LOG_CATEGORY(CategoryName) FLogCategory##CategoryName CategoryName;

#define DECLARE_LOG_CATEGORY_CLASS(CategoryName, DefaultVerbosity, CompileTimeVerbosity)                                          \
	struct FLogCategory##CategoryName : public FLogCategory<ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity> \
	{                                                                                                                             \
		FLogCategory##CategoryName()                                                                                              \
			: FLogCategory(TEXT(#CategoryName))                                                                                   \
		{                                                                                                                         \
		}                                                                                                                         \
	}

#define DEFINE_LOG_CATEGORY_STATIC(CategoryName, DefaultVerbosity, CompileTimeVerbosity)                                                 \
	static struct FLogCategory##CategoryName : public FLogCategory<ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity> \
	{                                                                                                                                    \
		FLogCategory##CategoryName()                                                                                                     \
			: FLogCategory(TEXT(#CategoryName))                                                                                          \
		{                                                                                                                                \
		}                                                                                                                                \
	} CategoryName;

// A Fatal line ends the process whatever the category lets through, as in the engine.
#define UE_LOG(CategoryName, Verbosity, Format, ...)                                                                                                     \
	do                                                                                                                                                   \
	{                                                                                                                                                    \
		if ((ELogVerbosity::Verbosity & ELogVerbosity::VerbosityMask) == ELogVerbosity::Fatal || !(CategoryName).IsSuppressed(ELogVerbosity::Verbosity)) \
		{                                                                                                                                                \
			::UE::Host::LogLine((CategoryName), ELogVerbosity::Verbosity, FString::Printf(Format, ##__VA_ARGS__));                                       \
		}                                                                                                                                                \
	} while (false)

#define UE_CLOG(Condition, CategoryName, Verbosity, Format, ...)    \
	do                                                              \
	{                                                               \
		if (Condition)                                              \
		{                                                           \
			UE_LOG(CategoryName, Verbosity, Format, ##__VA_ARGS__); \
		}                                                           \
	} while (false)
