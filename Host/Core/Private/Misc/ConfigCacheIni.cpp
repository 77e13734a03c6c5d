// Copyright Kelmora. All Rights Reserved.
#include "Misc/ConfigCacheIni.h"

#include "HAL/FileManager.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"

namespace
{
	FConfigCacheIni GConfigInstance;
}

FConfigCacheIni* GConfig = &GConfigInstance;

bool FConfigFile::Read(const FString& Filename)
{
	Sections.Reset();
	bDirty = false;
	if (!FPaths::FileExists(Filename))
	{
		return true;
	}
	FString Text;
	if (!FFileHelper::LoadFileToString(Text, *Filename))
	{
		return false;
	}
	TArray<FString> Lines;
	Text.ParseIntoArrayLines(Lines);
	TArray<TPair<FString, FString>>* Current = nullptr;
	for (const FString& RawLine : Lines)
	{
		const FString Line = RawLine.TrimStartAndEnd();
		if (Line.IsEmpty() || Line[0] == TCHAR(';') || Line[0] == TCHAR('#'))
		{
			continue;
		}
		if (Line[0] == TCHAR('[') && Line.EndsWith(TEXT("]")))
		{
			Sections.Add(TPair<FString, TArray<TPair<FString, FString>>>{Line.Mid(1, Line.Len() - 2), {}});
			Current = &Sections.Last().Value;
			continue;
		}
		FString Key;
		FString Value;
		if (Current && Line.Split(TEXT("="), &Key, &Value))
		{
			Current->Add(TPair<FString, FString>{Key.TrimEnd(), Value.TrimStart()});
		}
	}
	return true;
}

bool FConfigFile::Write(const FString& Filename) const
{
	FString Text;
	for (const TPair<FString, TArray<TPair<FString, FString>>>& Section : Sections)
	{
		Text += TEXT("[") + Section.Key + TEXT("]") LINE_TERMINATOR;
		for (const TPair<FString, FString>& Entry : Section.Value)
		{
			Text += Entry.Key + TEXT("=") + Entry.Value + LINE_TERMINATOR;
		}
		Text += LINE_TERMINATOR;
	}
	IFileManager::Get().MakeDirectory(*FPaths::GetPath(Filename), true);
	return FFileHelper::SaveStringToFile(Text, *Filename);
}

bool FConfigFile::GetString(const TCHAR* Section, const TCHAR* Key, FString& Value) const
{
	for (const TPair<FString, TArray<TPair<FString, FString>>>& Entry : Sections)
	{
		if (Entry.Key == Section)
		{
			for (const TPair<FString, FString>& Pair : Entry.Value)
			{
				if (Pair.Key == Key)
				{
					Value = Pair.Value;
					return true;
				}
			}
		}
	}
	return false;
}

void FConfigFile::SetString(const TCHAR* Section, const TCHAR* Key, const TCHAR* Value)
{
	TArray<TPair<FString, FString>>* Keys = nullptr;
	for (TPair<FString, TArray<TPair<FString, FString>>>& Entry : Sections)
	{
		if (Entry.Key == Section)
		{
			Keys = &Entry.Value;
			break;
		}
	}
	if (!Keys)
	{
		Sections.Add(TPair<FString, TArray<TPair<FString, FString>>>{FString(Section), {}});
		Keys = &Sections.Last().Value;
	}
	for (TPair<FString, FString>& Pair : *Keys)
	{
		if (Pair.Key == Key)
		{
			if (!Pair.Value.Equals(Value, ESearchCase::CaseSensitive))
			{
				Pair.Value = Value;
				bDirty = true;
			}
			return;
		}
	}
	Keys->Add(TPair<FString, FString>{FString(Key), FString(Value)});
	bDirty = true;
}

FConfigFile* FConfigCacheIni::FindOrLoadConfigFile(const FString& Filename)
{
	if (FConfigFile* Found = Files.Find(Filename))
	{
		return Found;
	}
	FConfigFile File;
	if (!File.Read(Filename))
	{
		return nullptr;
	}
	return &Files.Add(Filename, MoveTemp(File));
}

bool FConfigCacheIni::GetString(const TCHAR* Section, const TCHAR* Key, FString& Value, const FString& Filename)
{
	const FConfigFile* File = FindOrLoadConfigFile(Filename);
	return File && File->GetString(Section, Key, Value);
}

void FConfigCacheIni::SetString(const TCHAR* Section, const TCHAR* Key, const TCHAR* Value, const FString& Filename)
{
	if (FConfigFile* File = FindOrLoadConfigFile(Filename))
	{
		File->SetString(Section, Key, Value);
	}
}

void FConfigCacheIni::Flush(bool bRemoveFromCache, const FString& Filename)
{
	TArray<FString> Flushed;
	for (TPair<FString, FConfigFile>& Entry : Files)
	{
		if (!Filename.IsEmpty() && Entry.Key != Filename)
		{
			continue;
		}
		if (Entry.Value.bDirty && Entry.Value.Write(Entry.Key))
		{
			Entry.Value.bDirty = false;
		}
		Flushed.Add(Entry.Key);
	}
	if (bRemoveFromCache)
	{
		for (const FString& Name : Flushed)
		{
			Files.Remove(Name);
		}
	}
}

void FConfigCacheIni::HostReset()
{
	Files.Reset();
}
