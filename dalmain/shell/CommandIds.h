#pragma once

// The command ids of the menus, toolbars and tab strip. The numbers are the program's own and
// are kept as they always were: menus, toolbars, the settings store and the help all name
// commands by them.
namespace dalmain::cmd {

// Screens ("表示"); the tab strip reports the same ids.
inline constexpr int ScreenUser = 1024;
inline constexpr int ScreenMenu = 1025;
inline constexpr int ScreenSports = 1026;
inline constexpr int ScreenWeight = 1027;
inline constexpr int ScreenAnalyze = 1028;
// The view's Escape, forwarded to the screen.
inline constexpr int Cancel = 1030;

// User screen and the file menu of every screen.
inline constexpr int NewUser = 57600;
inline constexpr int OpenUser = 57601;
inline constexpr int Save = 57603;
inline constexpr int DeleteUser = 32774;
inline constexpr int PrintUser = 32838;
inline constexpr int PrinterSetup = 32820;
inline constexpr int Backup = 32834;
inline constexpr int Restore = 32831;
inline constexpr int Exit = 57665;
inline constexpr int Toolbar = 59392;

// Master data ("データ作成") and options.
inline constexpr int MasterMenu = 32885;
inline constexpr int MasterFood = 32817;
inline constexpr int MasterStandard = 32818;
inline constexpr int MasterExercise = 32842;
inline constexpr int MasterExchange = 32852;
inline constexpr int MasterUnit = 32857;
inline constexpr int MasterGroup = 32855;
inline constexpr int MasterIntake = 32858;
inline constexpr int SystemSettings = 32819;
inline constexpr int PfcSettings = 32875;
inline constexpr int InitMaster = 32892;

// Help.
inline constexpr int HelpScreen = 57670;
inline constexpr int HelpTerms = 32835;
inline constexpr int About = 57664;

// Menu screen.
inline constexpr int OpenMenu = 32867;
inline constexpr int SaveMenu = 32790;
inline constexpr int DeleteMenu = 32871;
inline constexpr int PrintMenu = 32839;
inline constexpr int Undo = 32788;
inline constexpr int Redo = 32878;
inline constexpr int Cut = 32785;
inline constexpr int Copy = 32786;
inline constexpr int Paste = 32787;
inline constexpr int SelectAll = 32836;
inline constexpr int CopyDay = 32833;
inline constexpr int PasteDay = 32870;
inline constexpr int FoodInput = 32779;
inline constexpr int DishInput = 32780;
inline constexpr int DishNameInput = 32781;
inline constexpr int Modify = 32784;
inline constexpr int Delete = 32789;
inline constexpr int ConvertAmount = 32845;
inline constexpr int MenuMemo = 32846;
inline constexpr int SaveDish = 32783;
inline constexpr int ModifyDish = 32847;
inline constexpr int DeleteDish = 32801;
inline constexpr int MenuJudgement = 32887;
inline constexpr int MenuProbability = 32888;
inline constexpr int Breakfast = 32775;
inline constexpr int Lunch = 32776;
inline constexpr int Dinner = 32777;
inline constexpr int Snack = 32778;
inline constexpr int Calculator = 32880;

// Dates ("日付"), for the date bar of the current screen.
inline constexpr int PreviousDay = 32821;
inline constexpr int NextDay = 32822;
inline constexpr int Today = 32837;
inline constexpr int PreviousMonth = 32823;
inline constexpr int NextMonth = 32824;
inline constexpr int PreviousYear = 32828;
inline constexpr int NextYear = 32829;

// Exercise screen.
inline constexpr int OpenSports = 32868;
inline constexpr int SaveSports = 32800;
inline constexpr int DeleteSports = 32872;
inline constexpr int PrintSports = 32840;
inline constexpr int SportsInput = 32797;
inline constexpr int SportsModify = 32798;
inline constexpr int SportsDelete = 32799;
inline constexpr int BasalInput = 32883;
inline constexpr int SportsCopyAll = 32843;
inline constexpr int SportsPasteAll = 32876;

// Weight screen.
inline constexpr int PrintWeight = 32841;
inline constexpr int WeightGoal = 32848;
inline constexpr int WeightInput = 32795;
inline constexpr int WeightModify = 32794;
inline constexpr int WeightDelete = 32796;
inline constexpr int WeightCopyAll = 32844;

// Analysis screen.
inline constexpr int SaveAnalysis = 32812;
inline constexpr int PrintAnalysis = 32815;
inline constexpr int CopyAnalysis = 32814;
inline constexpr int DailyComment = 32877;
inline constexpr int AnalysisDetail = 32809;
inline constexpr int AnalysisGraph = 32810;
inline constexpr int AnalysisExchange = 32851;
inline constexpr int AnalysisGroup = 32850;
inline constexpr int HistoryGraph = 32811;
inline constexpr int PeriodDay = 32805;
inline constexpr int PeriodMonth = 32806;
inline constexpr int PeriodYear = 32807;
inline constexpr int PeriodSelect = 32808;
inline constexpr int AnalysisJudgement = 32889;
inline constexpr int AnalysisProbability = 32890;
inline constexpr int NutrientChoice = 40004;

}  // namespace dalmain::cmd
