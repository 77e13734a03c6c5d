// Copyright Kelmora. All Rights Reserved.
#include "ISettingsModule.h"

#include "Modules/ModuleManager.h"

namespace
{
	class FSettingsSection final : public ISettingsSection
	{
	public:
		FSettingsSection(const TSharedRef<ISettingsCategory>& InCategory, FName InName, FText InDisplayName, FText InDescription, const TWeakObjectPtr<UObject>& InSettingsObject)
			: Category(InCategory)
			, Name(InName)
			, DisplayName(MoveTemp(InDisplayName))
			, Description(MoveTemp(InDescription))
			, SettingsObject(InSettingsObject)
		{
		}

		FOnModified& OnModified() override { return ModifiedDelegate; }
		FText GetDescription() const override { return Description; }
		FText GetDisplayName() const override { return DisplayName; }
		FName GetName() const override { return Name; }
		TWeakObjectPtr<UObject> GetSettingsObject() const override { return SettingsObject; }
		TWeakPtr<ISettingsCategory> GetCategory() override { return Category; }
		bool NotifyModified() override { return ModifiedDelegate.IsBound() && ModifiedDelegate.Execute(); }

	private:
		TWeakPtr<ISettingsCategory> Category;
		FName Name;
		FText DisplayName;
		FText Description;
		TWeakObjectPtr<UObject> SettingsObject;
		FOnModified ModifiedDelegate;
	};

	class FSettingsCategory final : public ISettingsCategory
	{
	public:
		explicit FSettingsCategory(FName InName)
			: Name(InName)
		{
		}

		FText GetDescription() const override { return Description; }
		FText GetDisplayName() const override { return DisplayName.IsEmpty() ? FText::FromString(Name.ToString()) : DisplayName; }
		FName GetName() const override { return Name; }
		ISettingsSectionPtr GetSection(const FName& SectionName, bool bIgnoreVisibility) const override
		{
			for (const ISettingsSectionPtr& Section : Sections)
			{
				if (Section->GetName() == SectionName)
				{
					return Section;
				}
			}
			return nullptr;
		}
		int32 GetSections(TArray<ISettingsSectionPtr>& OutSections, bool bIgnoreVisibility) const override
		{
			OutSections = Sections;
			return OutSections.Num();
		}

		void Describe(const FText& InDisplayName, const FText& InDescription)
		{
			DisplayName = InDisplayName;
			Description = InDescription;
		}
		void SetSection(const ISettingsSectionPtr& NewSection)
		{
			RemoveSection(NewSection->GetName());
			Sections.Add(NewSection);
		}
		void RemoveSection(FName SectionName)
		{
			for (int32 Index = Sections.Num() - 1; Index >= 0; --Index)
			{
				if (Sections[Index]->GetName() == SectionName)
				{
					Sections.RemoveAt(Index);
				}
			}
		}

	private:
		FName Name;
		FText DisplayName;
		FText Description;
		TArray<ISettingsSectionPtr> Sections;
	};

	class FSettingsContainer final : public ISettingsContainer
	{
	public:
		explicit FSettingsContainer(FName InName)
			: Name(InName)
		{
		}

		void DescribeCategory(const FName& CategoryName, const FText& DisplayName, const FText& Description) override { FindOrAddCategory(CategoryName)->Describe(DisplayName, Description); }
		FName GetName() const override { return Name; }
		ISettingsCategoryPtr GetCategory(const FName& CategoryName) const override { return FindCategory(CategoryName); }
		int32 GetCategories(TArray<ISettingsCategoryPtr>& OutCategories) const override
		{
			OutCategories.Empty();
			for (const TSharedPtr<FSettingsCategory>& Category : Categories)
			{
				OutCategories.Add(Category);
			}
			return OutCategories.Num();
		}

		TSharedPtr<FSettingsCategory> FindCategory(FName CategoryName) const
		{
			for (const TSharedPtr<FSettingsCategory>& Category : Categories)
			{
				if (Category->GetName() == CategoryName)
				{
					return Category;
				}
			}
			return nullptr;
		}
		TSharedPtr<FSettingsCategory> FindOrAddCategory(FName CategoryName)
		{
			TSharedPtr<FSettingsCategory> Category = FindCategory(CategoryName);
			if (!Category)
			{
				Category = MakeShared<FSettingsCategory>(CategoryName);
				Categories.Add(Category);
			}
			return Category;
		}

	private:
		FName Name;
		TArray<TSharedPtr<FSettingsCategory>> Categories;
	};

	/** The host's settings registry. Game thread only, as in the engine. */
	class FSettingsModule final : public ISettingsModule
	{
	public:
		void StartupModule() override
		{
			FindOrAddContainer(FName(TEXT("Editor")));
			FindOrAddContainer(FName(TEXT("Project")));
		}
		void ShutdownModule() override { Containers.Empty(); }

		void GetContainerNames(TArray<FName>& OutNames) const override
		{
			OutNames.Empty();
			for (const TSharedPtr<FSettingsContainer>& Container : Containers)
			{
				OutNames.Add(Container->GetName());
			}
		}
		ISettingsContainerPtr GetContainer(const FName& ContainerName) override { return FindContainer(ContainerName); }

		ISettingsSectionPtr RegisterSettings(const FName& ContainerName, const FName& CategoryName, const FName& SectionName, const FText& DisplayName, const FText& Description, const TWeakObjectPtr<UObject>& SettingsObject) override
		{
			TSharedPtr<FSettingsCategory> Category = FindOrAddContainer(ContainerName)->FindOrAddCategory(CategoryName);
			ISettingsSectionPtr Section = MakeShared<FSettingsSection>(Category.ToSharedRef(), SectionName, DisplayName, Description, SettingsObject);
			Category->SetSection(Section);
			return Section;
		}
		void UnregisterSettings(const FName& ContainerName, const FName& CategoryName, const FName& SectionName) override
		{
			const TSharedPtr<FSettingsContainer> Container = FindContainer(ContainerName);
			const TSharedPtr<FSettingsCategory> Category = Container ? Container->FindCategory(CategoryName) : nullptr;
			if (Category)
			{
				Category->RemoveSection(SectionName);
			}
		}
		void ShowViewer(const FName& ContainerName, const FName& CategoryName, const FName& SectionName) override {}

	private:
		TSharedPtr<FSettingsContainer> FindContainer(FName ContainerName) const
		{
			for (const TSharedPtr<FSettingsContainer>& Container : Containers)
			{
				if (Container->GetName() == ContainerName)
				{
					return Container;
				}
			}
			return nullptr;
		}
		TSharedPtr<FSettingsContainer> FindOrAddContainer(FName ContainerName)
		{
			TSharedPtr<FSettingsContainer> Container = FindContainer(ContainerName);
			if (!Container)
			{
				Container = MakeShared<FSettingsContainer>(ContainerName);
				Containers.Add(Container);
			}
			return Container;
		}

		TArray<TSharedPtr<FSettingsContainer>> Containers;
	};
}

IMPLEMENT_MODULE(FSettingsModule, Settings)
