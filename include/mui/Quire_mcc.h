/* quire.mcc: a MUI area that shows one page of a Word document. */
#ifndef MUI_QUIRE_MCC_H
#define MUI_QUIRE_MCC_H

#define MUIC_Quire "quire.mcc"

/* Attributes of the class: plain numbers below TAG_USER. All are I S G. */
#define MUIA_Quire_File 0x0000FF8AUL       /* STRPTR path; setting it opens the document */
#define MUIA_Quire_PageWidth 0x0000FF8CUL  /* LONG width of the page area in pixels (595) */
#define MUIA_Quire_PageHeight 0x0000FF8DUL /* LONG height of the page area in pixels (842) */
#define MUIA_Quire_Gauge 0x0000FF95UL      /* Object* Gauge.mui told the progress of opening */
#define MUIA_Quire_Info 0x0000FF96UL       /* APTR the application's 16-byte block, kept as given */
#define MUIA_Quire_Page 0x0000FF97UL       /* LONG page shown, from 1 */
#define MUIA_Quire_Slider 0x0000FF99UL     /* Object* Slider.mui whose maximum follows the page count */

/* Get only: the open document's page count, 0 without one. */
#define MUIA_Quire_PageCount 0x0000FF9AUL

#endif
