#pragma once

// The report kinds of the print progress window (AbortDlg); each sets the window's caption
// and its message line.
namespace quenkit {

enum AbortKind {
    AbortUser = 0,       // "ユーザー情報印刷"
    AbortMenu = 1,       // "献立印刷"
    AbortSports = 2,     // "運動印刷"
    AbortWeight = 3,     // "体重印刷"
    AbortAnalyze = 4,    // "分析印刷"
    AbortDiagnosis = 5,  // "診断印刷"
};

}  // namespace quenkit
