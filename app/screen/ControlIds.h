#pragma once
// The control IDs of the setup screen, named after the designed controls. Tests that drive the running program
// find its controls by these numbers; keep each number once it is given.
namespace ControlId {

enum : int {
    // The screen and its text lines and logo.
    SetupScreen = 1000,
    TextInfo1 = 1001,
    TextInfo2 = 1002,
    TextInfo3 = 1003,
    TextInfo4 = 1004,
    LogoImage2 = 1005,
    ImageHolder1 = 1006,
    LogoImage = 1007,

    // The wizard, its button bar and its notebook.
    Wizard = 1100,
    Panel1 = 1101,
    Bevel1 = 1102,
    Cancel1 = 1103,
    decline = 1104,
    Accept = 1105,
    Back1 = 1106,
    Next1 = 1107,
    Notebook1 = 1108,

    // The eight pages, in their order.
    page1 = 1200,
    Page2 = 1201,
    Page3 = 1202,
    Page4 = 1203,
    ReadyToInstall = 1204,
    install = 1205,
    Finished = 1206,
    Uninstaller = 1207,

    // page1: welcome.
    Label14 = 1300,
    Label15 = 1301,
    Label16 = 1302,
    GradPan5 = 1303,

    // Page2: agreement.
    Label3 = 1310,
    AgreementMemo = 1311,
    Label4 = 1312,

    // Page3: destination.
    Label6 = 1320,
    GroupBox1 = 1321,
    Main_Dir = 1322,
    Main_DirBrowse = 1323,
    GradPan6 = 1324,
    ForMeOnly = 1325,
    ForEveryone = 1326,

    // Page4: program folders and shortcuts.
    CreateFolder = 1330,
    CheckBox1 = 1331,
    CheckBox2 = 1332,
    ListView1 = 1333,
    GradPan3 = 1334,

    // ReadyToInstall: summary.
    RxLabel5 = 1340,
    Memo3 = 1341,
    GradPan1 = 1342,

    // install: progress.
    source = 1350,
    Dest1 = 1351,
    Label1 = 1352,
    Label2 = 1353,
    Image1 = 1354,
    ProgressBar1 = 1355,

    // Finished.
    RxLabel2 = 1360,
    RxLabel3 = 1361,
    reboot = 1362,
    LaunchItOption = 1363,
    ReturnToWIndows = 1364,
    LaunchIt = 1365,
    Finished1 = 1366,
    GradPan4 = 1367,

    // Uninstaller.
    Start1 = 1370,
    Start2 = 1371,
    Start3 = 1372,
    Start4 = 1373,
    Label5 = 1374,
    ProgressBar2 = 1375,
    Remove = 1376,
    // The uninstall run's status, made at run time.
    StatusLine = 1377,

    // The six check marks made at run time: 1 and 2 on page install, 3 to 6 on page Uninstaller.
    StepMark1 = 1380,
};

}  // namespace ControlId
