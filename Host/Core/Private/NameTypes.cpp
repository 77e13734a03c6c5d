// Copyright Kelmora. All Rights Reserved.
#include "UObject/NameTypes.h"

#include <mutex>
#include <unordered_map>
#include <vector>

namespace
{
	/** The engine's name length limit, terminator included: a longer name ends the process (wording unconfirmed). */
	constexpr int32 NameSize = 1024;

	struct FNameTable
	{
		std::mutex Mutex;
		std::unordered_map<std::u16string, uint32> IndexByFoldedText;
		std::vector<FString> DisplayText{FString(TEXT("None"))};

		static FNameTable& Get()
		{
			static FNameTable Table;
			return Table;
		}

		uint32 FindOrAdd(const FString& Text)
		{
			checkf(Text.Len() < NameSize, TEXT("FName's %d max length exceeded. Got %d characters excluding null-terminator."), NameSize - 1, Text.Len());
			std::u16string Folded = Text.GetHostString();
			for (char16_t& Char : Folded)
			{
				Char = FChar::ToLower(Char);
			}
			if (Folded.empty() || Folded == u"none")
			{
				return 0;
			}
			std::lock_guard<std::mutex> Lock(Mutex);
			const auto Found = IndexByFoldedText.find(Folded);
			if (Found != IndexByFoldedText.end())
			{
				return Found->second;
			}
			const uint32 Index = static_cast<uint32>(DisplayText.size());
			DisplayText.push_back(Text);
			IndexByFoldedText.emplace(std::move(Folded), Index);
			return Index;
		}

		FString Lookup(uint32 Index)
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			return DisplayText[Index];
		}
	};
}

FName::FName(const TCHAR* Name)
	: Index(FNameTable::Get().FindOrAdd(FString(Name)))
{
}
FName::FName(const ANSICHAR* Name)
	: Index(FNameTable::Get().FindOrAdd(FString(Name)))
{
}
FName::FName(const FString& Name)
	: Index(FNameTable::Get().FindOrAdd(Name))
{
}

FString FName::ToString() const
{
	return FNameTable::Get().Lookup(Index);
}
