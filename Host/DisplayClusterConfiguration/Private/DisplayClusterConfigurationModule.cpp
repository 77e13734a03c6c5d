// Copyright Kelmora. All Rights Reserved.
#include "DisplayClusterConfigurationTypes.h"
#include "Dom/JsonObject.h"
#include "HAL/FileManager.h"
#include "IDisplayClusterConfiguration.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"
#include "UObject/Package.h"

#include <nlohmann/json.hpp>

#include <string>

DEFINE_LOG_CATEGORY_STATIC(LogDisplayClusterConfiguration, Log, All);

namespace
{
	/** Configuration files are small; anything larger is not one. */
	constexpr int64 MaxConfigFileSize = 16 * 1024 * 1024;
	/** Deeper nesting than any configuration has; refused before it can exhaust the stack. */
	constexpr int MaxConfigNesting = 64;

	FString ToFString(const std::string& Text)
	{
		return FString(UTF8_TO_TCHAR(Text.c_str()));
	}

	/** The section as compact JSON, or "{}" when it is absent. False when it is present but not an object. */
	bool ReadSection(const nlohmann::json& Root, const char* Key, FString& OutJson)
	{
		const auto Found = Root.find(Key);
		if (Found == Root.end())
		{
			OutJson = TEXT("{}");
			return true;
		}
		if (!Found->is_object())
		{
			return false;
		}
		OutJson = ToFString(Found->dump());
		return true;
	}

	bool ReadString(const nlohmann::json& Root, const char* Key, FString& OutValue)
	{
		const auto Found = Root.find(Key);
		if (Found == Root.end())
		{
			return true;
		}
		if (!Found->is_string())
		{
			return false;
		}
		OutValue = ToFString(Found->get<std::string>());
		return true;
	}

	bool ReadBool(const nlohmann::json& Root, const char* Key, bool& OutValue)
	{
		const auto Found = Root.find(Key);
		if (Found == Root.end())
		{
			return true;
		}
		if (!Found->is_boolean())
		{
			return false;
		}
		OutValue = Found->get<bool>();
		return true;
	}

	TSharedPtr<FJsonObject> ParseSection(const FString& Json)
	{
		TSharedPtr<FJsonObject> Object;
		if (!FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(Json), Object) || !Object.IsValid())
		{
			Object = MakeShared<FJsonObject>();
		}
		return Object;
	}

	class FDisplayClusterConfigurationModule : public IDisplayClusterConfiguration
	{
	public:
		virtual UDisplayClusterConfigurationData* LoadConfig(const FString& FilePath, UObject* Owner) override
		{
			const int64 Size = IFileManager::Get().FileSize(*FilePath);
			if (Size < 0)
			{
				UE_LOG(LogDisplayClusterConfiguration, Error, TEXT("LoadConfig: cannot find %s"), *FilePath);
				return nullptr;
			}
			if (Size > MaxConfigFileSize)
			{
				UE_LOG(LogDisplayClusterConfiguration, Error, TEXT("LoadConfig: %s is larger than %lld bytes"), *FilePath, MaxConfigFileSize);
				return nullptr;
			}
			FString Text;
			if (!FFileHelper::LoadFileToString(Text, *FilePath))
			{
				UE_LOG(LogDisplayClusterConfiguration, Error, TEXT("LoadConfig: cannot read %s"), *FilePath);
				return nullptr;
			}
			const std::string Utf8(TCHAR_TO_UTF8(*Text));
			bool bTooDeep = false;
			const nlohmann::json::parser_callback_t LimitDepth = [&bTooDeep](int Depth, nlohmann::json::parse_event_t, nlohmann::json&)
			{
				bTooDeep = bTooDeep || Depth > MaxConfigNesting;
				return !bTooDeep;
			};
			const nlohmann::json Document = nlohmann::json::parse(Utf8, LimitDepth, false);
			if (bTooDeep || Document.is_discarded())
			{
				UE_LOG(LogDisplayClusterConfiguration, Error, TEXT("LoadConfig: %s is not valid JSON%s"), *FilePath, bTooDeep ? TEXT(" (nested too deeply)") : TEXT(""));
				return nullptr;
			}
			const auto Root = Document.is_object() ? Document.find("nDisplay") : Document.end();
			if (Root == Document.end() || !Root->is_object())
			{
				UE_LOG(LogDisplayClusterConfiguration, Error, TEXT("LoadConfig: %s has no \"nDisplay\" object"), *FilePath);
				return nullptr;
			}
			FDisplayClusterConfigurationInfo Info;
			FDisplayClusterConfigurationICVFX_StageSettings StageSettings;
			FString Scene;
			FString Cluster;
			FString Misc;
			bool bValid = ReadString(*Root, "description", Info.Description) && ReadString(*Root, "version", Info.Version) && ReadString(*Root, "assetPath", Info.AssetPath);
			bValid = bValid && ReadSection(*Root, "scene", Scene) && ReadSection(*Root, "cluster", Cluster) && ReadSection(*Root, "misc", Misc);
			const auto Stage = Root->find("stageSettings");
			if (bValid && Stage != Root->end())
			{
				bValid = Stage->is_object() && ReadBool(*Stage, "enableInnerFrustums", StageSettings.bEnableInnerFrustums) && ReadBool(*Stage, "enableInnerFrustumChromakeyOverlap", StageSettings.bEnableInnerFrustumChromakeyOverlap) && ReadBool(*Stage, "freezeRenderOuterViewports", StageSettings.bFreezeRenderOuterViewports);
			}
			if (!bValid)
			{
				UE_LOG(LogDisplayClusterConfiguration, Error, TEXT("LoadConfig: %s has a field of the wrong type"), *FilePath);
				return nullptr;
			}
			UDisplayClusterConfigurationData* Config = UDisplayClusterConfigurationData::CreateNewConfigData(Owner, RF_Transactional);
			if (!Config)
			{
				return nullptr;
			}
			Config->Info = Info;
			Config->StageSettings = StageSettings;
			Config->HostSceneJson = Scene;
			Config->HostClusterJson = Cluster;
			Config->HostMiscJson = Misc;
			Config->Meta.ImportFilePath = FilePath;
			return Config;
		}

		virtual bool SaveConfig(const UDisplayClusterConfigurationData* Config, const FString& FilePath) override
		{
			FString Text;
			if (!ConfigAsString(Config, Text))
			{
				UE_LOG(LogDisplayClusterConfiguration, Error, TEXT("SaveConfig: no configuration to save to %s"), *FilePath);
				return false;
			}
			if (!FFileHelper::SaveStringToFile(Text, *FilePath, FFileHelper::EEncodingOptions::ForceUTF8WithoutBOM))
			{
				UE_LOG(LogDisplayClusterConfiguration, Error, TEXT("SaveConfig: cannot write %s"), *FilePath);
				return false;
			}
			return true;
		}

		virtual bool ConfigAsString(const UDisplayClusterConfigurationData* Config, FString& OutString) const override
		{
			if (!Config)
			{
				return false;
			}
			const TSharedRef<FJsonObject> Root = MakeShared<FJsonObject>();
			Root->SetStringField(TEXT("description"), Config->Info.Description);
			Root->SetStringField(TEXT("version"), Config->Info.Version);
			Root->SetStringField(TEXT("assetPath"), Config->Info.AssetPath);
			Root->SetObjectField(TEXT("misc"), ParseSection(Config->HostMiscJson));
			Root->SetObjectField(TEXT("scene"), ParseSection(Config->HostSceneJson));
			Root->SetObjectField(TEXT("cluster"), ParseSection(Config->HostClusterJson));
			// Unconfirmed: the engine's own export key for the stage settings.
			const TSharedRef<FJsonObject> Stage = MakeShared<FJsonObject>();
			Stage->SetBoolField(TEXT("enableInnerFrustums"), Config->StageSettings.bEnableInnerFrustums);
			Stage->SetBoolField(TEXT("enableInnerFrustumChromakeyOverlap"), Config->StageSettings.bEnableInnerFrustumChromakeyOverlap);
			Stage->SetBoolField(TEXT("freezeRenderOuterViewports"), Config->StageSettings.bFreezeRenderOuterViewports);
			Root->SetObjectField(TEXT("stageSettings"), Stage);
			const TSharedRef<FJsonObject> Document = MakeShared<FJsonObject>();
			Document->SetObjectField(TEXT("nDisplay"), Root);
			OutString.Empty();
			return FJsonSerializer::Serialize(Document, TJsonWriterFactory<>::Create(&OutString));
		}
	};
}

UDisplayClusterConfigurationData* UDisplayClusterConfigurationData::CreateNewConfigData(UObject* Owner, EObjectFlags ObjectFlags)
{
	UObject* Outer = Owner ? Owner : GetTransientPackageAsObject();
	return NewObject<UDisplayClusterConfigurationData>(Outer, MakeUniqueObjectName(Outer, StaticClass(), FName(TEXT("DisplayClusterConfigurationData"))), ObjectFlags);
}

IMPLEMENT_MODULE(FDisplayClusterConfigurationModule, DisplayClusterConfiguration)
