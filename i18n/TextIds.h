// Identifiers of every interface text a language pack supplies, and a table of them with
// the argument each formatted text takes. The English wording of every text is the English
// pack's (i18n/packs/english.lng), which the program also carries built in (BuiltInTexts.h).
#pragma once

#include <array>

namespace glyphora {

// Dialog buttons of the export options and print dialogs.
inline constexpr int kTextCancel = 1;
inline constexpr int kTextHelpButton = 2;
// Caption of the find-pane button: 3 while the pane is hidden, 4 while it is shown.
inline constexpr int kTextShowFindPane = 3;
inline constexpr int kTextHideFindPane = 4;

// Tool button hints of the main window.
inline constexpr int kTextHintGoToFileFolder = 101;
inline constexpr int kTextHintSaveAllListed = 102;
inline constexpr int kTextHintOpen = 103;
inline constexpr int kTextHintSave = 104;
inline constexpr int kTextHintCopy = 105;
inline constexpr int kTextHintPrint = 106;
inline constexpr int kTextHintRefresh = 107;
inline constexpr int kTextHintOptions = 108;
inline constexpr int kTextHintHelp = 109;
inline constexpr int kTextHintAbout = 110;
inline constexpr int kTextIconWindowCaption = 111;
inline constexpr int kTextImageBitDepth = 112;   // %d: bits per pixel of an image of a group
inline constexpr int kTextPackFileMissing = 117; // %s: the pack's path
inline constexpr int kTextHintMinimumIconCount = 151;

// Folder scan of the find pane.
inline constexpr int kTextScanning = 201;
inline constexpr int kTextScanPleaseWait = 203;
inline constexpr int kTextScanStopped = 204;

// Status bar panels.
inline constexpr int kTextStatusColorDepth = 261; // %s: "1" .. "32" or "?"
inline constexpr int kTextStatusImageCount = 262; // %s: the number or "?"

// Export options dialog.
inline constexpr int kTextColumnCount = 301;
inline constexpr int kTextDrawTableBorder = 302;
inline constexpr int kTextIncludeIconNumbers = 303;
inline constexpr int kTextConvertToGrayScale = 304;
inline constexpr int kTextSkipOptionsNote = 305;
inline constexpr int kTextFieldGroup = 306;
inline constexpr int kTextFieldType = 307;
inline constexpr int kTextFieldName = 308;
inline constexpr int kTextExportAs = 309;
inline constexpr int kTextExportAsIcon = 310;
inline constexpr int kTextExportAsBitmap = 311;
inline constexpr int kTextExportAsJpeg = 312;
inline constexpr int kTextExportAsMetafile = 313;
inline constexpr int kTextExportAsGif = 314;
inline constexpr int kTextExportAsPng = 315;
inline constexpr int kTextTargetImageFormat = 316;

// Print dialog.
inline constexpr int kTextPrintCaption = 401;
inline constexpr int kTextPrintImageToPrint = 402;
inline constexpr int kTextPrintFullImage = 403;
inline constexpr int kTextPrintSelectedImage = 404;
inline constexpr int kTextPrintScale = 405;
inline constexpr int kTextPrintActualSize = 406;
inline constexpr int kTextPrintFitToPage = 407;

// Find pane captions.
inline constexpr int kTextMinimumIconCount = 501;
inline constexpr int kTextFolderToScan = 502;
inline constexpr int kTextFilesWithIcons = 503;
inline constexpr int kTextIncludeSubfolders = 551;
inline constexpr int kTextShowHiddenFolders = 552; // the folder tree's context menu
// The folder dialog: the label of its path field and its button that makes a folder (whose
// caption without the shortcut mark names the folder it makes).
inline constexpr int kTextFolderField = 553;
inline constexpr int kTextNewFolder = 554;

// Messages.
inline constexpr int kTextEmptyGridHint = 601;
inline constexpr int kTextCommandLineSuccess = 602; // %d: icons written
inline constexpr int kTextSaveAllSuccess = 603;     // %d: icons written
inline constexpr int kTextCommandLineNoDestination = 604;
inline constexpr int kTextFileNotFound = 605; // %s: the path or file name
inline constexpr int kTextNoIconSelected = 606;
inline constexpr int kTextOnlyFirstDroppedFile = 607;
inline constexpr int kTextCommandLineErrorHeading = 608;
inline constexpr int kTextOverwriteQuestion = 609; // %s: the file name
inline constexpr int kTextPackObsolete = 610;
inline constexpr int kTextPackObsoleteAdvice = 611;
inline constexpr int kTextFindOnWebPage = 612;
inline constexpr int kTextPackCannotBeLoaded = 613;
inline constexpr int kTextNoIconsInFile = 614;
inline constexpr int kTextIconSetAsThemeQuestion = 615;
inline constexpr int kTextSourceIsFolder = 630; // %s: the folder's path
// What a save wrote, in the window's hint panel, and a desktop that could not open it.
inline constexpr int kTextSavedFile = 641;       // %s: the file written
inline constexpr int kTextSavedIntoFolder = 642; // %s: the folder written into (after 603)
inline constexpr int kTextCouldNotOpen = 643;    // %s: the file the desktop could not open
inline constexpr int kTextCouldNotOpenNote = 644;
// A file shown with its file-type icon: it holds no icons, or it could not be read.
inline constexpr int kTextNoOwnIcons = 645;
inline constexpr int kTextUnreadableFile = 646;

// Dialog titles.
inline constexpr int kTextSaveDialogTitle = 701;
inline constexpr int kTextHtmlSaveTitle = 703;
inline constexpr int kTextHtmlOptionsTitle = 704;
inline constexpr int kTextDbfSaveTitle = 705;
inline constexpr int kTextDbfOptionsTitle = 706;
inline constexpr int kTextSelectFolderTitle = 707;
inline constexpr int kTextOpenDialogTitle = 708;
inline constexpr int kTextPdfSaveTitle = 709;
inline constexpr int kTextPdfOptionsTitle = 710;
inline constexpr int kTextIconSetFolderTitle = 711;
inline constexpr int kTextXlsxOptionsTitle = 976;

// File dialog filters ("description (*.ext)|*.ext" pairs joined by "|").
inline constexpr int kTextPictureFilter = 801;
inline constexpr int kTextOpenFilter = 802;
inline constexpr int kTextIconFilter = 803;
inline constexpr int kTextHtmlFilter = 804;
inline constexpr int kTextDbfFilter = 805;
inline constexpr int kTextPdfFilter = 807;
// The open dialog's first entry: every kind of file the window reads icons from.
inline constexpr int kTextAllSupportedFilter = 640;

// Options menu: languages.
inline constexpr int kTextMenuLanguage = 900;
inline constexpr int kTextMenuEnglish = 901;
inline constexpr int kTextMenuGreek = 902;
inline constexpr int kTextMenuUkrainian = 903;
inline constexpr int kTextMenuRomanian = 904;
inline constexpr int kTextMenuItalian = 905;
inline constexpr int kTextMenuPolish = 906;

// Save menus.
inline constexpr int kTextMenuSaveSelected = 921;
inline constexpr int kTextMenuSaveAllAsOneImage = 922;
inline constexpr int kTextMenuSaveAll = 923;
inline constexpr int kTextMenuSaveIconSet = 930;
inline constexpr int kTextMenuAsIcons = 924;
inline constexpr int kTextMenuAsBitmaps = 925;
inline constexpr int kTextMenuAsJpeg = 926;
inline constexpr int kTextMenuAsMetafiles = 927;
inline constexpr int kTextMenuAsGif = 928;
inline constexpr int kTextMenuAsPng = 929;
inline constexpr int kTextMenuToHtml = 941;
inline constexpr int kTextMenuToDbf = 942;
inline constexpr int kTextMenuToPdf = 943;
inline constexpr int kTextMenuToXlsx = 975;

// Options menu: other items.
inline constexpr int kTextMenuSaveToRegistry = 961;
inline constexpr int kTextMenuShowIconWindow = 962;
inline constexpr int kTextMenuIconSize = 963;
inline constexpr int kTextMenuSize32 = 964;
inline constexpr int kTextMenuSize16 = 965;

// Printing: the print dialog's preview button, printing without a printer, the preview window.
inline constexpr int kTextPrintPreviewButton = 970;
inline constexpr int kTextNoPrinterQuestion = 971;
inline constexpr int kTextPrintToPdfTitle = 972;
inline constexpr int kTextPrintPreviewTitle = 973;
inline constexpr int kTextPrintPreviewPrint = 974;

// The program version the pack was made for, a dotted number such as "5.1.0.2".
inline constexpr int kTextLanguagePackVersion = 50000;

// The one argument a formatted text takes.
enum class Placeholder { None, String, Integer };

struct TextIdInfo {
    int id;
    Placeholder placeholder;
};

inline constexpr std::array kAllTextIds = {
    TextIdInfo{kTextCancel, Placeholder::None},
    TextIdInfo{kTextHelpButton, Placeholder::None},
    TextIdInfo{kTextShowFindPane, Placeholder::None},
    TextIdInfo{kTextHideFindPane, Placeholder::None},
    TextIdInfo{kTextHintGoToFileFolder, Placeholder::None},
    TextIdInfo{kTextHintSaveAllListed, Placeholder::None},
    TextIdInfo{kTextHintOpen, Placeholder::None},
    TextIdInfo{kTextHintSave, Placeholder::None},
    TextIdInfo{kTextHintCopy, Placeholder::None},
    TextIdInfo{kTextHintPrint, Placeholder::None},
    TextIdInfo{kTextHintRefresh, Placeholder::None},
    TextIdInfo{kTextHintOptions, Placeholder::None},
    TextIdInfo{kTextHintHelp, Placeholder::None},
    TextIdInfo{kTextHintAbout, Placeholder::None},
    TextIdInfo{kTextIconWindowCaption, Placeholder::None},
    TextIdInfo{kTextImageBitDepth, Placeholder::Integer},
    TextIdInfo{kTextPackFileMissing, Placeholder::String},
    TextIdInfo{kTextHintMinimumIconCount, Placeholder::None},
    TextIdInfo{kTextScanning, Placeholder::None},
    TextIdInfo{kTextScanPleaseWait, Placeholder::None},
    TextIdInfo{kTextScanStopped, Placeholder::None},
    TextIdInfo{kTextStatusColorDepth, Placeholder::String},
    TextIdInfo{kTextStatusImageCount, Placeholder::String},
    TextIdInfo{kTextColumnCount, Placeholder::None},
    TextIdInfo{kTextDrawTableBorder, Placeholder::None},
    TextIdInfo{kTextIncludeIconNumbers, Placeholder::None},
    TextIdInfo{kTextConvertToGrayScale, Placeholder::None},
    TextIdInfo{kTextSkipOptionsNote, Placeholder::None},
    TextIdInfo{kTextFieldGroup, Placeholder::None},
    TextIdInfo{kTextFieldType, Placeholder::None},
    TextIdInfo{kTextFieldName, Placeholder::None},
    TextIdInfo{kTextExportAs, Placeholder::None},
    TextIdInfo{kTextExportAsIcon, Placeholder::None},
    TextIdInfo{kTextExportAsBitmap, Placeholder::None},
    TextIdInfo{kTextExportAsJpeg, Placeholder::None},
    TextIdInfo{kTextExportAsMetafile, Placeholder::None},
    TextIdInfo{kTextExportAsGif, Placeholder::None},
    TextIdInfo{kTextExportAsPng, Placeholder::None},
    TextIdInfo{kTextTargetImageFormat, Placeholder::None},
    TextIdInfo{kTextPrintCaption, Placeholder::None},
    TextIdInfo{kTextPrintImageToPrint, Placeholder::None},
    TextIdInfo{kTextPrintFullImage, Placeholder::None},
    TextIdInfo{kTextPrintSelectedImage, Placeholder::None},
    TextIdInfo{kTextPrintScale, Placeholder::None},
    TextIdInfo{kTextPrintActualSize, Placeholder::None},
    TextIdInfo{kTextPrintFitToPage, Placeholder::None},
    TextIdInfo{kTextMinimumIconCount, Placeholder::None},
    TextIdInfo{kTextFolderToScan, Placeholder::None},
    TextIdInfo{kTextFilesWithIcons, Placeholder::None},
    TextIdInfo{kTextIncludeSubfolders, Placeholder::None},
    TextIdInfo{kTextShowHiddenFolders, Placeholder::None},
    TextIdInfo{kTextFolderField, Placeholder::None},
    TextIdInfo{kTextNewFolder, Placeholder::None},
    TextIdInfo{kTextEmptyGridHint, Placeholder::None},
    TextIdInfo{kTextCommandLineSuccess, Placeholder::Integer},
    TextIdInfo{kTextSaveAllSuccess, Placeholder::Integer},
    TextIdInfo{kTextCommandLineNoDestination, Placeholder::None},
    TextIdInfo{kTextFileNotFound, Placeholder::String},
    TextIdInfo{kTextNoIconSelected, Placeholder::None},
    TextIdInfo{kTextOnlyFirstDroppedFile, Placeholder::None},
    TextIdInfo{kTextCommandLineErrorHeading, Placeholder::None},
    TextIdInfo{kTextOverwriteQuestion, Placeholder::String},
    TextIdInfo{kTextPackObsolete, Placeholder::None},
    TextIdInfo{kTextPackObsoleteAdvice, Placeholder::None},
    TextIdInfo{kTextFindOnWebPage, Placeholder::None},
    TextIdInfo{kTextPackCannotBeLoaded, Placeholder::None},
    TextIdInfo{kTextSourceIsFolder, Placeholder::String},
    TextIdInfo{kTextSavedFile, Placeholder::String},
    TextIdInfo{kTextSavedIntoFolder, Placeholder::String},
    TextIdInfo{kTextCouldNotOpen, Placeholder::String},
    TextIdInfo{kTextCouldNotOpenNote, Placeholder::None},
    TextIdInfo{kTextNoOwnIcons, Placeholder::None},
    TextIdInfo{kTextUnreadableFile, Placeholder::None},
    TextIdInfo{kTextNoIconsInFile, Placeholder::None},
    TextIdInfo{kTextIconSetAsThemeQuestion, Placeholder::None},
    TextIdInfo{kTextSaveDialogTitle, Placeholder::None},
    TextIdInfo{kTextHtmlSaveTitle, Placeholder::None},
    TextIdInfo{kTextHtmlOptionsTitle, Placeholder::None},
    TextIdInfo{kTextDbfSaveTitle, Placeholder::None},
    TextIdInfo{kTextDbfOptionsTitle, Placeholder::None},
    TextIdInfo{kTextSelectFolderTitle, Placeholder::None},
    TextIdInfo{kTextOpenDialogTitle, Placeholder::None},
    TextIdInfo{kTextPdfSaveTitle, Placeholder::None},
    TextIdInfo{kTextPdfOptionsTitle, Placeholder::None},
    TextIdInfo{kTextIconSetFolderTitle, Placeholder::None},
    TextIdInfo{kTextXlsxOptionsTitle, Placeholder::None},
    TextIdInfo{kTextPictureFilter, Placeholder::None},
    TextIdInfo{kTextOpenFilter, Placeholder::None},
    TextIdInfo{kTextIconFilter, Placeholder::None},
    TextIdInfo{kTextHtmlFilter, Placeholder::None},
    TextIdInfo{kTextDbfFilter, Placeholder::None},
    TextIdInfo{kTextPdfFilter, Placeholder::None},
    TextIdInfo{kTextAllSupportedFilter, Placeholder::None},
    TextIdInfo{kTextMenuLanguage, Placeholder::None},
    TextIdInfo{kTextMenuEnglish, Placeholder::None},
    TextIdInfo{kTextMenuGreek, Placeholder::None},
    TextIdInfo{kTextMenuUkrainian, Placeholder::None},
    TextIdInfo{kTextMenuRomanian, Placeholder::None},
    TextIdInfo{kTextMenuItalian, Placeholder::None},
    TextIdInfo{kTextMenuPolish, Placeholder::None},
    TextIdInfo{kTextMenuSaveSelected, Placeholder::None},
    TextIdInfo{kTextMenuSaveAllAsOneImage, Placeholder::None},
    TextIdInfo{kTextMenuSaveAll, Placeholder::None},
    TextIdInfo{kTextMenuSaveIconSet, Placeholder::None},
    TextIdInfo{kTextMenuAsIcons, Placeholder::None},
    TextIdInfo{kTextMenuAsBitmaps, Placeholder::None},
    TextIdInfo{kTextMenuAsJpeg, Placeholder::None},
    TextIdInfo{kTextMenuAsMetafiles, Placeholder::None},
    TextIdInfo{kTextMenuAsGif, Placeholder::None},
    TextIdInfo{kTextMenuAsPng, Placeholder::None},
    TextIdInfo{kTextMenuToHtml, Placeholder::None},
    TextIdInfo{kTextMenuToDbf, Placeholder::None},
    TextIdInfo{kTextMenuToPdf, Placeholder::None},
    TextIdInfo{kTextMenuToXlsx, Placeholder::None},
    TextIdInfo{kTextMenuSaveToRegistry, Placeholder::None},
    TextIdInfo{kTextMenuShowIconWindow, Placeholder::None},
    TextIdInfo{kTextMenuIconSize, Placeholder::None},
    TextIdInfo{kTextMenuSize32, Placeholder::None},
    TextIdInfo{kTextMenuSize16, Placeholder::None},
    TextIdInfo{kTextPrintPreviewButton, Placeholder::None},
    TextIdInfo{kTextNoPrinterQuestion, Placeholder::None},
    TextIdInfo{kTextPrintToPdfTitle, Placeholder::None},
    TextIdInfo{kTextPrintPreviewTitle, Placeholder::None},
    TextIdInfo{kTextPrintPreviewPrint, Placeholder::None},
    TextIdInfo{kTextLanguagePackVersion, Placeholder::None},
};

} // namespace glyphora
