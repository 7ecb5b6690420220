#pragma once

#include <string_view>

namespace quorvel::calc {

// Every message box the Calculate command shows, OK only, no icon.
inline constexpr std::u16string_view kPrecisionPrompt = u"请指定运算精度！";
inline constexpr std::u16string_view kPrecisionTitle = u"指定精度";
inline constexpr std::u16string_view kDataPrompt = u"请输入原始数据！";
inline constexpr std::u16string_view kDataTitle = u"输入原始数据";
// An item message reads "第" N "个数据输入有误，请重新输入"; the summary of the
// items beyond the first ten reads "另有" N "个数据输入有误，请重新输入".
inline constexpr std::u16string_view kItemPromptStart = u"第";
inline constexpr std::u16string_view kMoreItemsPromptStart = u"另有";
inline constexpr std::u16string_view kItemPromptEnd = u"个数据输入有误，请重新输入";
inline constexpr std::u16string_view kItemTitle = u"输入正确数据";
inline constexpr std::u16string_view kCannotComputeTitle = u"无法计算";
inline constexpr std::u16string_view kOneItemPrompt = u"只有1个数据，无法计算标准偏差！";
inline constexpr std::u16string_view kMeanZeroPrompt = u"平均值为0，无法计算相对偏差！";
inline constexpr std::u16string_view kOutOfRangePrompt = u"数值超出计算范围！";

}  // namespace quorvel::calc
