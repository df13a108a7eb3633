#pragma once
// Ids shared by the resource script and the code. Plain #defines: the resource
// compiler reads this file too.

// The program's icon group. A name, not a number: the window and the shortcuts ask
// for it as "A1" (names are compared without regard to letter case).
#define IDI_A1 "A1"

// Window controls and menu items.

// Form1's menu bar (also the list's pop-up menu).
#define IDR_Form1Menu 100

// Form1's controls.
#define IDC_Label1 1001
#define IDC_Label2 1002
#define IDC_Label3 1003
#define IDC_Label4 1004
#define IDC_Label5 1005
#define IDC_Label6 1006
#define IDC_Label7 1007
#define IDC_Label8 1008
#define IDC_Label9 1009
#define IDC_List1 1010
#define IDC_Command1 1011
#define IDC_Command2 1012
#define IDC_Command3 1013
#define IDC_Command4 1014
#define IDC_Check1 1015
#define IDC_Frame1 1016
#define IDC_Picture1 1017
#define IDC_txtConfigName 1020
#define IDC_txtTemplateFileName 1021
#define IDC_txtLNKFileName 1022
#define IDC_txtLNKDesc 1023
#define IDC_txtIcon 1024

// Form2's labels, numbered as they are named.
#define IDC_Form2Label2 2002
#define IDC_Form2Label3 2003
#define IDC_Form2Label4 2004
#define IDC_Form2Label5 2005
#define IDC_Form2Label6 2006
#define IDC_Form2Label7 2007
#define IDC_Form2Label8 2008
#define IDC_Form2Label9 2009
#define IDC_Form2Label10 2010
#define IDC_Form2Label11 2011
#define IDC_Form2Label12 2012
#define IDC_Form2Label13 2013
#define IDC_Form2Label14 2014
#define IDC_Form2Label15 2015
#define IDC_Form2Label16 2016
#define IDC_Form2Label17 2017
#define IDC_Form2Label18 2018
#define IDC_Form2Label19 2019
#define IDC_Form2Label20 2020
#define IDC_Form2Label21 2021
#define IDC_Form2Label22 2022
#define IDC_Form2Label23 2023
#define IDC_Form2Label24 2024
#define IDC_Form2Label25 2025
#define IDC_Form2Label26 2026
#define IDC_Form2Label27 2027

// Form1's menu items.
#define IDM_DelTemp 40001
#define IDM_HelpOnline 40002
#define IDM_ShowParms 40003
#define IDM_RetireTemp 40004
#pragma once
// Ids shared by the resource script and the code. Plain #defines: the resource
// compiler reads this file too.

// The program's icon group. A name, not a number: the window and the shortcuts ask
// for it as "A1" (names are compared without regard to letter case).
#define IDI_A1 "A1"

// Window controls and menu items.
