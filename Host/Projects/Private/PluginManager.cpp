// Copyright Kelmora. All Rights Reserved.
#include "Interfaces/IPluginManager.h"

#include "Modules/ModuleManager.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace
{
	class FHostPlugin final : public IPlugin
	{
	public:
		FHostPlugin(const FString& InName, const FString& InBaseDir)
			: Name(InName)
			, BaseDir(InBaseDir)
		{
		}
		const FString& GetName() const override { return Name; }
		FString GetBaseDir() const override { return BaseDir; }

	private:
		FString Name;
		FString BaseDir;
	};

	class FHostPluginManager final : public IPluginManager
	{
	public:
		TSharedPtr<IPlugin> FindPlugin(const FStringView Name) override
		{
			const FString Wanted(Name.Len(), Name.GetData());
			if (Wanted.IsEmpty())
			{
				return nullptr;
			}
			std::string Dirs;
			if (const char* Extra = std::getenv("ORVANE_PLUGIN_DIRS"))
			{
				Dirs = std::string(Extra) + ";";
			}
#ifdef HOST_PLUGIN_DIRS
			Dirs += HOST_PLUGIN_DIRS;
#endif
			size_t Start = 0;
			while (Start <= Dirs.size())
			{
				const size_t End = std::min(Dirs.find(';', Start), Dirs.size());
				const std::string Dir = Dirs.substr(Start, End - Start);
				Start = End + 1;
				if (Dir.empty())
				{
					continue;
				}
				std::error_code Error;
				for (const std::filesystem::directory_entry& Entry : std::filesystem::directory_iterator(Dir, Error))
				{
					const std::filesystem::path& Path = Entry.path();
					if (Path.extension() == ".uplugin" && FString(Path.stem().string().c_str()).Equals(Wanted, ESearchCase::IgnoreCase))
					{
						std::string BaseDir = std::filesystem::absolute(Dir).lexically_normal().generic_string();
						while (BaseDir.size() > 1 && BaseDir.back() == '/')
						{
							BaseDir.pop_back();
						}
						return MakeShared<FHostPlugin>(FString(Path.stem().string().c_str()), FString(BaseDir.c_str()));
					}
				}
			}
			return nullptr;
		}
	};
}

IPluginManager& IPluginManager::Get()
{
	static FHostPluginManager Manager;
	return Manager;
}

IMPLEMENT_MODULE(FDefaultModuleImpl, Projects)
