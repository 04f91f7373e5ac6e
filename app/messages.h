#pragma once
// Texts and titles of the messages the Query client shows.
inline constexpr char kCaptchaRefused[] = "验证码错误或验证码已过期，请重新输入！";
inline constexpr char kDetailCaptchaRefused[] = "返回‘{}’验证码错误，请重新输入！";
inline constexpr char kNothingSelected[] = "所选信息不可为空！";
inline constexpr char kServiceUnreachable[] = "无法连接到查询服务，请检查网络后重试。";
inline constexpr char kServiceUnexpected[] = "查询服务没有按预期应答（可能正忙），请稍后重试。";
inline constexpr char kTitleFail[] = "Fail!";
inline constexpr char kTitleFailColon[] = "Fail:";
inline constexpr char kTitleNotice[] = "提示：";
