VERSION 5.00
Object = "{6C2B9A10-3D41-4E8B-9A51-2F0E7C4B8D21}#1.0#0"; "QUILLDIAL.OCX"
Begin VB.UserControl LabeledEdit 
   ClientHeight    =   1230
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   4200
   ScaleHeight     =   1230
   ScaleWidth      =   4200
   Begin QuillDialLib.Dial dlLevel 
      Height          =   855
      Left            =   3240
      TabIndex        =   2
      Top             =   240
      Width           =   855
      _ExtentX        =   1508
      _ExtentY        =   1508
      _Version        =   65536
      Max             =   100
   End
   Begin VB.TextBox txtValue 
      BeginProperty Font 
         Name            =   "MS Sans Serif"
         Size            =   8.25
         Charset         =   0
         Weight          =   400
         Underline       =   0   'False
         Italic          =   0   'False
         Strikethrough   =   0   'False
      EndProperty
      Height          =   375
      Left            =   120
      TabIndex        =   1
      Text            =   "0"
      Top             =   600
      Width           =   3015
   End
   Begin VB.Label lblCaption 
      Caption         =   "Level"
      Height          =   255
      Left            =   120
      TabIndex        =   0
      Top             =   240
      Width           =   3015
   End
End
Attribute VB_Name = "LabeledEdit"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = True
Option Explicit

Private Sub UserControl_Resize()
    txtValue.Width = ScaleWidth - dlLevel.Width - 240
End Sub
