// The program's own texts that are ours to choose: version, contact line and page. Kept in
// one place so that they change together.
#pragma once

namespace glimwell {

inline constexpr wchar_t kMainCaption[] = L"Glimwell V1.1 ";
inline constexpr wchar_t kTrayTip[] = L"Glimwellv1.1";
inline constexpr wchar_t kContactLine[] = L"Glimwell 屏幕录像 · 反馈：glimwell.example.org";
inline constexpr wchar_t kAboutCaption[] = L"关于";
inline constexpr wchar_t kAboutVersionLine[] = L"Glimwell 屏幕录像  v1.1";
inline constexpr wchar_t kAboutContactLine[] = L"意见与建议请访问：https://glimwell.example.org/contact";
inline constexpr wchar_t kContactPage[] = L"https://glimwell.example.org/contact";

}  // namespace glimwell
