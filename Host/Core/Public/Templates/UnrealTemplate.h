// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Templates/UnrealTemplate.h: MoveTemp, Forward and friends.
#pragma once

#include <limits>
#include <type_traits>
#include <utility>

template <typename T>
constexpr std::remove_reference_t<T>&& MoveTemp(T&& Obj) noexcept
{
	return static_cast<std::remove_reference_t<T>&&>(Obj);
}

template <typename T>
constexpr T&& Forward(std::remove_reference_t<T>& Obj) noexcept
{
	return static_cast<T&&>(Obj);
}

template <typename T>
constexpr T&& Forward(std::remove_reference_t<T>&& Obj) noexcept
{
	return static_cast<T&&>(Obj);
}

template <typename T>
inline void Swap(T& A, T& B)
{
	std::swap(A, B);
}

template <typename T, typename U = T>
inline T Exchange(T& Value, U&& NewValue)
{
	return std::exchange(Value, std::forward<U>(NewValue));
}

template <typename T, std::size_t N>
constexpr std::size_t UE_ARRAY_COUNT_HELPER(T (&)[N])
{
	return N;
}
#define UE_ARRAY_COUNT(Array) (::UE_ARRAY_COUNT_HELPER(Array))

template <typename T>
struct TNumericLimits
{
	static constexpr T Min() { return std::numeric_limits<T>::lowest(); }
	static constexpr T Max() { return std::numeric_limits<T>::max(); }
	static constexpr T Lowest() { return std::numeric_limits<T>::lowest(); }
};

/** The engine's TNumericLimits<T>::Min() is the smallest positive value for floating types. */
template <>
struct TNumericLimits<float>
{
	static constexpr float Min() { return std::numeric_limits<float>::min(); }
	static constexpr float Max() { return std::numeric_limits<float>::max(); }
	static constexpr float Lowest() { return std::numeric_limits<float>::lowest(); }
};

template <>
struct TNumericLimits<double>
{
	static constexpr double Min() { return std::numeric_limits<double>::min(); }
	static constexpr double Max() { return std::numeric_limits<double>::max(); }
	static constexpr double Lowest() { return std::numeric_limits<double>::lowest(); }
};
