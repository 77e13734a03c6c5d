// Copyright Kelmora. All Rights Reserved.
#include "Containers/StringConv.h"
#include "CoreGlobals.h"
#include "GenericPlatform/GenericPlatformFile.h"
#include "HAL/FileManager.h"
#include "HAL/PlatformFileManager.h"
#include "Misc/Paths.h"

#include <filesystem>
#include <system_error>

DEFINE_LOG_CATEGORY_STATIC(LogFileManager, Log, All);

namespace
{
	std::filesystem::path ToPath(const TCHAR* Filename)
	{
		return std::filesystem::path(std::string(FTCHARToUTF8(Filename ? Filename : TEXT("")).Get()));
	}

	FString FromPath(const std::filesystem::path& Path)
	{
		return FString(FUTF8ToTCHAR(Path.generic_string().c_str()).Get());
	}

	bool IsEmptyName(const TCHAR* Name)
	{
		return !Name || !*Name;
	}

	/** Wildcard match of '*' and '?', ignoring case as the engine's file search does. */
	bool MatchesWildcard(const FString& Name, const FString& Pattern)
	{
		const FString LowerName = Name.ToLower();
		const FString LowerPattern = Pattern.ToLower();
		int32 N = 0;
		int32 P = 0;
		int32 StarP = INDEX_NONE;
		int32 StarN = 0;
		while (N < LowerName.Len())
		{
			if (P < LowerPattern.Len() && (LowerPattern[P] == TCHAR('?') || LowerPattern[P] == LowerName[N]))
			{
				++N;
				++P;
			}
			else if (P < LowerPattern.Len() && LowerPattern[P] == TCHAR('*'))
			{
				StarP = P++;
				StarN = N;
			}
			else if (StarP != INDEX_NONE)
			{
				P = StarP + 1;
				N = ++StarN;
			}
			else
			{
				return false;
			}
		}
		while (P < LowerPattern.Len() && LowerPattern[P] == TCHAR('*'))
		{
			++P;
		}
		return P == LowerPattern.Len();
	}

	class FHostPlatformFile final : public IPlatformFile
	{
	public:
		bool FileExists(const TCHAR* Filename) override
		{
			std::error_code Error;
			return !IsEmptyName(Filename) && std::filesystem::is_regular_file(ToPath(Filename), Error);
		}
		bool DirectoryExists(const TCHAR* Directory) override
		{
			std::error_code Error;
			return !IsEmptyName(Directory) && std::filesystem::is_directory(ToPath(Directory), Error);
		}
		bool CreateDirectory(const TCHAR* Directory) override
		{
			if (IsEmptyName(Directory))
			{
				return false;
			}
			std::error_code Error;
			std::filesystem::create_directory(ToPath(Directory), Error);
			return DirectoryExists(Directory);
		}
		bool CreateDirectoryTree(const TCHAR* Directory) override
		{
			if (IsEmptyName(Directory))
			{
				return false;
			}
			std::error_code Error;
			std::filesystem::create_directories(ToPath(Directory), Error);
			return DirectoryExists(Directory);
		}
		bool DeleteFile(const TCHAR* Filename) override
		{
			if (!FileExists(Filename))
			{
				return false;
			}
			std::error_code Error;
			return std::filesystem::remove(ToPath(Filename), Error) && !Error;
		}
		bool DeleteDirectory(const TCHAR* Directory) override
		{
			if (!DirectoryExists(Directory))
			{
				return false;
			}
			std::error_code Error;
			return std::filesystem::remove(ToPath(Directory), Error) && !Error;
		}
		int64 FileSize(const TCHAR* Filename) override
		{
			if (!FileExists(Filename))
			{
				return -1;
			}
			std::error_code Error;
			const uintmax_t Size = std::filesystem::file_size(ToPath(Filename), Error);
			return Error ? -1 : int64(Size);
		}
		bool IsReadOnly(const TCHAR* Filename) override
		{
			std::error_code Error;
			const std::filesystem::perms Permissions = std::filesystem::status(ToPath(Filename), Error).permissions();
			return !Error && (Permissions & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
		}
		bool SetReadOnly(const TCHAR* Filename, bool bNewReadOnlyValue) override
		{
			std::error_code Error;
			std::filesystem::permissions(ToPath(Filename), std::filesystem::perms::owner_write, bNewReadOnlyValue ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add, Error);
			return !Error;
		}
	};

	class FHostFileManager final : public IFileManager
	{
	public:
		bool Delete(const TCHAR* Filename, bool RequireExists, bool EvenReadOnly, bool Quiet) override
		{
			IPlatformFile& Platform = FPlatformFileManager::Get().GetPlatformFile();
			if (RequireExists && !Platform.FileExists(Filename))
			{
				return false;
			}
			if (Platform.FileExists(Filename) && Platform.IsReadOnly(Filename))
			{
				if (!EvenReadOnly)
				{
					UE_CLOG(!Quiet, LogFileManager, Warning, TEXT("Delete: %s is read-only"), Filename);
					return false;
				}
				Platform.SetReadOnly(Filename, false);
			}
			if (!Platform.DeleteFile(Filename))
			{
				UE_CLOG(!Quiet, LogFileManager, Warning, TEXT("Delete: could not delete %s"), Filename ? Filename : TEXT(""));
				return false;
			}
			return true;
		}
		bool FileExists(const TCHAR* Filename) override { return FPlatformFileManager::Get().GetPlatformFile().FileExists(Filename); }
		bool DirectoryExists(const TCHAR* InDirectory) override { return FPlatformFileManager::Get().GetPlatformFile().DirectoryExists(InDirectory); }
		bool MakeDirectory(const TCHAR* Path, bool Tree) override
		{
			IPlatformFile& Platform = FPlatformFileManager::Get().GetPlatformFile();
			return Tree ? Platform.CreateDirectoryTree(Path) : Platform.CreateDirectory(Path);
		}
		bool DeleteDirectory(const TCHAR* Path, bool RequireExists, bool Tree) override
		{
			if (!DirectoryExists(Path))
			{
				return !RequireExists;
			}
			std::error_code Error;
			if (Tree)
			{
				std::filesystem::remove_all(ToPath(Path), Error);
			}
			else
			{
				std::filesystem::remove(ToPath(Path), Error);
			}
			return !Error && !DirectoryExists(Path);
		}
		bool Move(const TCHAR* Dest, const TCHAR* Src, bool Replace, bool EvenIfReadOnly, bool Attributes, bool bDoNotRetryOrError) override
		{
			if (!FileExists(Src) || IsEmptyName(Dest) || (!Replace && FileExists(Dest)))
			{
				return false;
			}
			MakeDirectory(*FPaths::GetPath(FString(Dest)), true);
			std::error_code Error;
			std::filesystem::rename(ToPath(Src), ToPath(Dest), Error);
			return !Error;
		}
		uint32 Copy(const TCHAR* Dest, const TCHAR* Src, bool Replace, bool EvenIfReadOnly, bool Attributes) override
		{
			if (!FileExists(Src) || IsEmptyName(Dest) || (!Replace && FileExists(Dest)))
			{
				return COPY_Fail;
			}
			MakeDirectory(*FPaths::GetPath(FString(Dest)), true);
			std::error_code Error;
			std::filesystem::copy_file(ToPath(Src), ToPath(Dest), std::filesystem::copy_options::overwrite_existing, Error);
			return Error ? COPY_Fail : COPY_OK;
		}
		int64 FileSize(const TCHAR* Filename) override { return FPlatformFileManager::Get().GetPlatformFile().FileSize(Filename); }
		void FindFiles(TArray<FString>& FileNames, const TCHAR* Filename, bool Files, bool Directories) override
		{
			if (IsEmptyName(Filename))
			{
				return;
			}
			FString Wildcard(Filename);
			FPaths::NormalizeFilename(Wildcard);
			FString Directory = FPaths::GetPath(Wildcard);
			FString Pattern = FPaths::GetCleanFilename(Wildcard);
			if (Pattern.IsEmpty())
			{
				Pattern = TEXT("*");
			}
			std::error_code Error;
			for (std::filesystem::directory_iterator It(ToPath(*Directory), Error), End; !Error && It != End; It.increment(Error))
			{
				const bool bIsDirectory = It->is_directory(Error);
				if ((bIsDirectory && !Directories) || (!bIsDirectory && !Files))
				{
					continue;
				}
				const FString Name = FromPath(It->path().filename());
				if (MatchesWildcard(Name, Pattern))
				{
					FileNames.Add(Name);
				}
			}
		}
	};
}

IFileManager& IFileManager::Get()
{
	static FHostFileManager FileManager;
	return FileManager;
}

void IFileManager::FindFiles(TArray<FString>& FoundFiles, const TCHAR* Directory, const TCHAR* FileExtension)
{
	if (IsEmptyName(Directory))
	{
		return;
	}
	FString Extension = FileExtension ? FString(FileExtension) : FString();
	if (Extension.StartsWith(TEXT("*")))
	{
		Extension = Extension.RightChop(1);
	}
	if (!Extension.IsEmpty() && !Extension.StartsWith(TEXT(".")))
	{
		Extension = FString(TEXT(".")) + Extension;
	}
	FindFiles(FoundFiles, *(FString(Directory) / (FString(TEXT("*")) + Extension)), true, false);
}

FPlatformFileManager& FPlatformFileManager::Get()
{
	static FPlatformFileManager Manager;
	return Manager;
}

IPlatformFile& FPlatformFileManager::GetPlatformFile()
{
	static FHostPlatformFile PlatformFile;
	return PlatformFile;
}
