// Copyright Kelmora. All Rights Reserved.
#include "MaterialEditingLibrary.h"

#include "Materials/Material.h"
#include "Materials/MaterialExpression.h"
#include "Modules/ModuleManager.h"
#include "Templates/Casts.h"

namespace
{
	int32 FindOutput(const UMaterialExpression* Expression, const FString& OutputName)
	{
		if (Expression->Outputs.Num() == 0)
		{
			return INDEX_NONE;
		}
		if (OutputName.IsEmpty())
		{
			return 0;
		}
		for (int32 Index = 0; Index < Expression->Outputs.Num(); ++Index)
		{
			if (Expression->Outputs[Index].OutputName.ToString().Equals(OutputName, ESearchCase::IgnoreCase))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}

	/** The owning material of a node created by CreateMaterialExpression. */
	UMaterial* OwnerOf(UMaterialExpression* Expression)
	{
		return Expression ? Cast<UMaterial>(Expression->GetOuter()) : nullptr;
	}
}

UMaterialExpression* UMaterialEditingLibrary::CreateMaterialExpression(UMaterial* Material, TSubclassOf<UMaterialExpression> ExpressionClass, int32 NodePosX, int32 NodePosY)
{
	UClass* Class = ExpressionClass.Get();
	if (!Material || !Class || Class->HasAnyClassFlags(CLASS_Abstract))
	{
		return nullptr;
	}
	UMaterialExpression* Expression = NewObject<UMaterialExpression>(Material, Class, NAME_None, RF_Transactional);
	Expression->MaterialExpressionEditorX = NodePosX;
	Expression->MaterialExpressionEditorY = NodePosY;
	Material->HostExpressions.Add(Expression);
	Material->MarkPackageDirty();
	return Expression;
}

bool UMaterialEditingLibrary::ConnectMaterialProperty(UMaterialExpression* FromExpression, FString FromOutputName, EMaterialProperty Property)
{
	UMaterial* Material = OwnerOf(FromExpression);
	FExpressionInput* Input = Material ? Material->HostGetPropertyInput(Property) : nullptr;
	const int32 OutputIndex = FromExpression ? FindOutput(FromExpression, FromOutputName) : INDEX_NONE;
	if (!Input || OutputIndex == INDEX_NONE)
	{
		return false;
	}
	Input->Expression = FromExpression;
	Input->OutputIndex = OutputIndex;
	Material->MarkPackageDirty();
	return true;
}

bool UMaterialEditingLibrary::ConnectMaterialExpressions(UMaterialExpression* FromExpression, FString FromOutputName, UMaterialExpression* ToExpression, FString ToInputName)
{
	if (!FromExpression || !ToExpression || FromExpression == ToExpression || OwnerOf(FromExpression) != OwnerOf(ToExpression))
	{
		return false;
	}
	const int32 OutputIndex = FindOutput(FromExpression, FromOutputName);
	FExpressionInput* Input = nullptr;
	for (int32 Index = 0; ToExpression->GetInput(Index); ++Index)
	{
		if (ToInputName.IsEmpty() || ToExpression->GetInputName(Index).ToString().Equals(ToInputName, ESearchCase::IgnoreCase))
		{
			Input = ToExpression->GetInput(Index);
			break;
		}
	}
	if (!Input || OutputIndex == INDEX_NONE)
	{
		return false;
	}
	Input->Expression = FromExpression;
	Input->OutputIndex = OutputIndex;
	return true;
}

void UMaterialEditingLibrary::RecompileMaterial(UMaterial* Material)
{
	if (Material)
	{
		++Material->HostRecompileCount;
		Material->MarkPackageDirty();
	}
}

UMaterialExpression* UMaterialEditingLibrary::GetMaterialPropertyInputNode(UMaterial* Material, EMaterialProperty Property)
{
	FExpressionInput* Input = Material ? Material->HostGetPropertyInput(Property) : nullptr;
	return Input ? Input->Expression.Get() : nullptr;
}

TArray<UMaterialExpression*> UMaterialEditingLibrary::GetInputsForMaterialExpression(UMaterial* Material, UMaterialExpression* MaterialExpression)
{
	TArray<UMaterialExpression*> Inputs;
	if (Material && MaterialExpression)
	{
		for (int32 Index = 0; MaterialExpression->GetInput(Index); ++Index)
		{
			Inputs.Add(MaterialExpression->GetInput(Index)->Expression.Get());
		}
	}
	return Inputs;
}

int32 UMaterialEditingLibrary::GetNumMaterialExpressions(const UMaterial* Material)
{
	return Material ? Material->GetExpressions().Num() : 0;
}

IMPLEMENT_MODULE(FDefaultModuleImpl, MaterialEditor)
