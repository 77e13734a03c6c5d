// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Containers/ContainerAllocationPolicies.h. The host's containers keep
// their elements on the heap whatever policy is named; the names exist so declarations match.
#pragma once

class FDefaultAllocator
{
};

template <int NumInlineElements>
class TInlineAllocator
{
};
