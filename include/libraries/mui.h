/* MUI: the identifiers, messages and records of muimaster's classes, as
   applications and custom classes use them. Numbers are MUI's own. */
#ifndef LIBRARIES_MUI_H
#define LIBRARIES_MUI_H

#include <graphics/rastport.h>
#include <intuition/classes.h>

#define MUIMASTER_NAME "muimaster.library"
#define MUIMASTER_VMIN 11

/* Class names */
#define MUIC_Notify "Notify.mui"
#define MUIC_Family "Family.mui"
#define MUIC_Area "Area.mui"
#define MUIC_Group "Group.mui"
#define MUIC_Window "Window.mui"
#define MUIC_Application "Application.mui"
#define MUIC_Text "Text.mui"
#define MUIC_String "String.mui"
#define MUIC_Image "Image.mui"
#define MUIC_Popstring "Popstring.mui"
#define MUIC_Popasl "Popasl.mui"
#define MUIC_Virtgroup "Virtgroup.mui"
#define MUIC_Scrollgroup "Scrollgroup.mui"
#define MUIC_Gauge "Gauge.mui"
#define MUIC_Numeric "Numeric.mui"
#define MUIC_Slider "Slider.mui"
#define MUIC_Menustrip "Menustrip.mui"
#define MUIC_Menu "Menu.mui"
#define MUIC_Menuitem "Menuitem.mui"
#define MUIC_Aboutbox "Aboutbox.mcc"

/* Special values */
#define MUIV_EveryTime 0x49893131UL      /* notify on every change */
#define MUIV_TriggerValue 0x49893131UL   /* stands for the value that triggered */
#define MUIV_NotTriggerValue 0x49893133UL
#define MUIV_Notify_Self 1UL
#define MUIV_Notify_Window 2UL
#define MUIV_Notify_Application 3UL
#define MUIV_Notify_Parent 4UL
#define MUIV_Application_ReturnID_Quit ((ULONG)-1)
#define MUI_MAXMAX 10000

/* Notify.mui */
#define MUIM_CallHook 0x8042B96BUL
#define MUIM_FindUData 0x8042C196UL
#define MUIM_KillNotify 0x8042D240UL
#define MUIM_NoNotifySet 0x8042216FUL
#define MUIM_Notify 0x8042C9CBUL
#define MUIM_Set 0x8042549AUL
#define MUIA_ApplicationObject 0x8042D3EEUL
#define MUIA_NoNotify 0x804237F9UL
#define MUIA_Parent 0x8042E35FUL
#define MUIA_Revision 0x80427EAAUL
#define MUIA_UserData 0x80420313UL
#define MUIA_Version 0x80422301UL
#define MUIA_WindowObject 0x8042669EUL

struct MUIP_Notify {
  STACKED ULONG MethodID;
  STACKED ULONG TrigAttr;
  STACKED IPTR TrigVal;
  STACKED APTR DestObj;
  STACKED ULONG FollowParams;
  /* FollowParams words follow: the method to send and its arguments */
};
struct MUIP_Set {
  STACKED ULONG MethodID;
  STACKED ULONG Attr;
  STACKED IPTR Val;
};
struct MUIP_KillNotify {
  STACKED ULONG MethodID;
  STACKED ULONG TrigAttr;
};
struct MUIP_FindUData {
  STACKED ULONG MethodID;
  STACKED IPTR udata;
};

/* Area.mui */
#define MUIM_AskMinMax 0x80423874UL
#define MUIM_Cleanup 0x8042D985UL
#define MUIM_Draw 0x80426F3FUL
#define MUIM_Hide 0x8042F20FUL
#define MUIM_Setup 0x80428354UL
#define MUIM_Show 0x8042CC84UL
#define MUIA_Background 0x8042545BUL
#define MUIA_FillArea 0x804294A3UL
#define MUIA_Frame 0x8042AC64UL
#define MUIA_InnerBottom 0x8042F2C0UL
#define MUIA_InnerLeft 0x804228F8UL
#define MUIA_InnerRight 0x804297FFUL
#define MUIA_InnerTop 0x80421EB6UL
#define MUIA_Weight 0x80421D1FUL

#define MUIV_Frame_None 0
#define MUIV_Frame_Button 1
#define MUIV_Frame_ImageButton 2
#define MUIV_Frame_Text 3
#define MUIV_Frame_String 4
#define MUIV_Frame_ReadList 5
#define MUIV_Frame_InputList 6
#define MUIV_Frame_Prop 7
#define MUIV_Frame_Gauge 8
#define MUIV_Frame_Group 9
#define MUIV_Frame_PopUp 10
#define MUIV_Frame_Virtual 11
#define MUIV_Frame_Slider 12

/* Built-in images and backgrounds */
#define MUII_WindowBack 0
#define MUII_RequesterBack 1
#define MUII_ButtonBack 2
#define MUII_ListBack 3
#define MUII_TextBack 4
#define MUII_PropBack 5
#define MUII_PopupBack 6
#define MUII_SelectedBack 7
#define MUII_ListCursor 8
#define MUII_ListSelect 9
#define MUII_ListSelCur 10
#define MUII_PopUp 18
#define MUII_PopFile 19
#define MUII_PopDrawer 20
#define MUII_GroupBack 35
#define MUII_BACKGROUND 128
#define MUII_SHADOW 129
#define MUII_SHINE 130
#define MUII_FILL 131

/* Flags of MUIM_Draw */
#define MADF_DRAWOBJECT (1 << 0) /* draw the whole object */
#define MADF_DRAWUPDATE (1 << 1) /* draw only what changed */

struct MUI_MinMax {
  WORD MinWidth;
  WORD MinHeight;
  WORD MaxWidth;
  WORD MaxHeight;
  WORD DefWidth;
  WORD DefHeight;
};

struct MUI_RenderInfo {
  Object* mri_WindowObject;
  APTR mri_Screen;
  APTR mri_DrawInfo;
  UWORD* mri_Pens;
  APTR mri_Window;
  struct RastPort* mri_RastPort; /* where the object being drawn draws */
  ULONG mri_Flags;
};

struct MUIP_AskMinMax {
  STACKED ULONG MethodID;
  STACKED struct MUI_MinMax* MinMaxInfo;
};
struct MUIP_Draw {
  STACKED ULONG MethodID;
  STACKED ULONG flags;
};
struct MUIP_Setup {
  STACKED ULONG MethodID;
  STACKED struct MUI_RenderInfo* RenderInfo;
};

/* Group.mui */
#define MUIA_Group_Child 0x804226E6UL
#define MUIA_Group_Columns 0x8042F416UL
#define MUIA_Group_Horiz 0x8042536BUL
#define MUIA_Group_Spacing 0x8042866DUL

/* Window.mui */
#define MUIA_Window_CloseRequest 0x8042E86EUL
#define MUIA_Window_ID 0x804201BDUL
#define MUIA_Window_Open 0x80428AA0UL
#define MUIA_Window_RootObject 0x8042CBA5UL
#define MUIA_Window_Title 0x8042AD3DUL
/* The object that gets the keys no other object takes (here: Page Up,
   Page Down, Home, End); NULL for none. */
#define MUIA_Window_DefaultObject 0x804294D7UL

#define MUIA_Window_AppWindow 0x804280CFUL
#define MUIA_Window_CloseGadget 0x8042A110UL
#define MUIA_Window_DepthGadget 0x80421923UL
#define MUIA_Window_DragBar 0x8042045DUL
#define MUIA_Window_Menustrip 0x8042855EUL
#define MUIA_Window_SizeGadget 0x8042E33DUL
#define MUIA_Window_UseBottomBorderScroller 0x80424E79UL
#define MUIA_Window_UseRightBorderScroller 0x8042C05EUL

/* Text.mui */
#define MUIA_Text_Contents 0x8042F8DCUL
#define MUIA_Text_PreParse 0x8042566DUL

/* String.mui */
#define MUIA_String_Contents 0x80428FFDUL
#define MUIA_String_MaxLen 0x80424984UL

/* Image.mui, and the press of a button */
#define MUIA_Image_Spec 0x804233D5UL
#define MUIA_Pressed 0x80423535UL

/* Popstring.mui and Popasl.mui; the requester takes the ASL tags */
#define MUIM_Popstring_Close 0x8042DC52UL
#define MUIM_Popstring_Open 0x804258BAUL
#define MUIA_Popstring_Button 0x8042D0B9UL
#define MUIA_Popstring_String 0x804239EAUL
#define MUIA_Popasl_Active 0x80421B37UL
#define ASL_TB 0x80080000UL
#define ASLFR_TitleText (ASL_TB + 1)
#define ASLFR_InitialFile (ASL_TB + 8)
#define ASLFR_InitialDrawer (ASL_TB + 9)

struct MUIP_Popstring_Close {
  STACKED ULONG MethodID;
  STACKED LONG result;
};

/* Virtgroup.mui and Scrollgroup.mui */
#define MUIA_Virtgroup_Input 0x80427F7EUL
#define MUIA_Scrollgroup_Contents 0x80421261UL
#define MUIA_Scrollgroup_UseWinBorder 0x804284C1UL

/* Gauge.mui */
#define MUIA_Gauge_Current 0x8042F0DDUL
#define MUIA_Gauge_Horiz 0x804232DDUL
#define MUIA_Gauge_InfoText 0x8042BF15UL
#define MUIA_Gauge_Max 0x8042BCDBUL

/* Numeric.mui and Slider.mui */
#define MUIA_Numeric_Max 0x8042D78AUL
#define MUIA_Numeric_Min 0x8042E404UL
#define MUIA_Numeric_Value 0x8042AE3AUL
#define MUIA_Slider_Horiz 0x8042FAD1UL

/* Family.mui, and Menustrip.mui, Menu.mui, Menuitem.mui below it */
#define MUIA_Family_Child 0x8042C696UL
#define MUIA_Menu_Title 0x8042A0E3UL
#define MUIA_Menuitem_Enabled 0x8042AE0FUL
#define MUIA_Menuitem_Shortcut 0x80422030UL
#define MUIA_Menuitem_Title 0x804218BEUL
#define MUIA_Menuitem_Trigger 0x80426F32UL
#define NM_BARLABEL ((STRPTR)-1)

/* MUI_MakeObject */
#define MUIO_Label 1
#define MUIO_PopButton 8
#define MUIO_MenustripNM 13
#define MUIO_Label_SingleFrame (1 << 8)
#define MUIO_Label_DoubleFrame (1 << 9)
#define MUIO_Label_LeftAligned (1 << 10)
#define MUIO_Label_Centered (1 << 11)
#define MUIO_MenustripNM_CommandKeyCheck (1 << 0)

/* A menu table entry (gadtools' NewMenu), ended by an NM_END entry. */
#define NM_END 0
#define NM_TITLE 1
#define NM_ITEM 2
struct NewMenu {
  UBYTE nm_Type;
  CONST_STRPTR nm_Label;
  CONST_STRPTR nm_CommKey;
  UWORD nm_Flags;
  LONG nm_MutualExclude;
  APTR nm_UserData;
};

/* Application.mui */
#define MUIM_Application_AboutMUI 0x8042D21DUL
#define MUIM_Application_NewInput 0x80423BA6UL
#define MUIM_Application_OpenConfigWindow 0x804299BAUL
#define MUIM_Application_ReturnID 0x804276EFUL
#define MUIA_Application_Author 0x80424842UL
#define MUIA_Application_Base 0x8042E07AUL
#define MUIA_Application_Copyright 0x8042EF4DUL
#define MUIA_Application_Description 0x80421FC6UL
#define MUIA_Application_Title 0x804281B8UL
#define MUIA_Application_Version 0x8042B33FUL
#define MUIA_Application_Window 0x8042BFE0UL

struct MUIP_Application_NewInput {
  STACKED ULONG MethodID;
  STACKED ULONG* signal;
};
struct MUIP_Application_AboutMUI {
  STACKED ULONG MethodID;
  STACKED Object* refwindow;
};
struct MUIP_Application_OpenConfigWindow {
  STACKED ULONG MethodID;
  STACKED ULONG flags;
  STACKED CONST_STRPTR classid;
};
struct MUIP_Application_ReturnID {
  STACKED ULONG MethodID;
  STACKED ULONG retid;
};

/* Instance data that MUI makes public: Notify's slice comes first in every
   object, Area's right after it, so the macros below reach them through
   the object pointer alone. */
struct MUI_NotifyData {
  APTR mnd_GlobalInfo;
  ULONG mnd_UserData;
  ULONG mnd_ObjectID;
  APTR mnd_Host; /* the runtime's own bookkeeping */
};

struct MUI_AreaData {
  struct MUI_RenderInfo* mad_RenderInfo; /* set between MUIM_Setup and MUIM_Cleanup */
  APTR mad_Font;
  struct MUI_MinMax mad_MinMax;
  struct IBox mad_Box;                   /* the object's box in its rast port */
  BYTE mad_addleft;                      /* frame and inner spacing on each side */
  BYTE mad_addtop;
  BYTE mad_subwidth;
  BYTE mad_subheight;
  ULONG mad_Flags;
  APTR mad_Host; /* the runtime's own bookkeeping */
};

struct __dummyAreaData__ {
  struct MUI_NotifyData mnd;
  struct MUI_AreaData mad;
};

#define muiNotifyData(obj) (&(((struct __dummyAreaData__*)(obj))->mnd))
#define muiAreaData(obj) (&(((struct __dummyAreaData__*)(obj))->mad))
#define muiRenderInfo(obj) (muiAreaData(obj)->mad_RenderInfo)

#define _rp(obj) (muiRenderInfo(obj)->mri_RastPort)
#define _win(obj) (muiRenderInfo(obj)->mri_WindowObject)
#define _left(obj) (muiAreaData(obj)->mad_Box.Left)
#define _top(obj) (muiAreaData(obj)->mad_Box.Top)
#define _width(obj) (muiAreaData(obj)->mad_Box.Width)
#define _height(obj) (muiAreaData(obj)->mad_Box.Height)
#define _right(obj) (_left(obj) + _width(obj) - 1)
#define _bottom(obj) (_top(obj) + _height(obj) - 1)
#define _addleft(obj) (muiAreaData(obj)->mad_addleft)
#define _addtop(obj) (muiAreaData(obj)->mad_addtop)
#define _subwidth(obj) (muiAreaData(obj)->mad_subwidth)
#define _subheight(obj) (muiAreaData(obj)->mad_subheight)
#define _mleft(obj) (_left(obj) + _addleft(obj))
#define _mtop(obj) (_top(obj) + _addtop(obj))
#define _mwidth(obj) (_width(obj) - _subwidth(obj))
#define _mheight(obj) (_height(obj) - _subheight(obj))
#define _mright(obj) (_mleft(obj) + _mwidth(obj) - 1)
#define _mbottom(obj) (_mtop(obj) + _mheight(obj) - 1)

/* A custom class made with MUI_CreateCustomClass. */
struct MUI_CustomClass {
  APTR mcc_UserData;
  struct Library* mcc_UtilityBase;
  struct Library* mcc_DOSBase;
  struct Library* mcc_GfxBase;
  struct Library* mcc_IntuitionBase;
  struct IClass* mcc_Super;
  struct IClass* mcc_Class;
  struct Library* mcc_Module;      /* the class library it lives in, or NULL */
  struct IClass* mcc_NamedSuper;   /* superclass taken by name, released on delete */
};

#endif
