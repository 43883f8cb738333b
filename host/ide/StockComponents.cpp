#include <array>
#include <map>
#include <sstream>
#include <string>
#include <unordered_map>

#include "StockPalette.h"

namespace {

// The components of each stock page, by page caption, as one blank-separated
// list; "Page/N" holds the list of IDE version N where it differs from the
// others'.
const std::map<std::string, const char*>& Table() {
  static const std::map<std::string, const char*> Lists = {
      {"Standard",
       "TFrames TMainMenu TPopupMenu TLabel TEdit TMemo TButton TCheckBox TRadioButton TListBox "
       "TComboBox TScrollBar TGroupBox TRadioGroup TPanel TActionList"},
      {"Additional/5",
       "TBitBtn TSpeedButton TMaskEdit TStringGrid TDrawGrid TImage TShape TBevel TScrollBox "
       "TCheckListBox TSplitter TStaticText TControlBar TApplicationEvents TChart"},
      {"Additional/6",
       "TBitBtn TSpeedButton TMaskEdit TStringGrid TDrawGrid TImage TShape TBevel TScrollBox "
       "TCheckListBox TSplitter TStaticText TControlBar TApplicationEvents TValueListEditor "
       "TLabeledEdit TColorBox TChart TActionManager TActionMainMenuBar TActionToolBar "
       "TCustomizeDlg"},
      {"Additional/7",
       "TBitBtn TSpeedButton TMaskEdit TStringGrid TDrawGrid TImage TShape TBevel TScrollBox "
       "TCheckListBox TSplitter TStaticText TControlBar TApplicationEvents TValueListEditor "
       "TLabeledEdit TColorBox TChart TActionManager TActionMainMenuBar TActionToolBar "
       "TXPColorMap TStandardColorMap TTwilightColorMap TCustomizeDlg"},
      {"Win32/5",
       "TTabControl TPageControl TImageList TRichEdit TTrackBar TProgressBar TUpDown THotKey "
       "TAnimate TDateTimePicker TMonthCalendar TTreeView TListView THeaderControl TStatusBar "
       "TToolBar TCoolBar TPageScroller"},
      {"Win32/6",
       "TTabControl TPageControl TImageList TRichEdit TTrackBar TProgressBar TUpDown THotKey "
       "TAnimate TDateTimePicker TMonthCalendar TTreeView TListView THeaderControl TStatusBar "
       "TToolBar TCoolBar TPageScroller TComboBoxEx"},
      {"Win32/7",
       "TTabControl TPageControl TImageList TRichEdit TTrackBar TProgressBar TUpDown THotKey "
       "TAnimate TDateTimePicker TMonthCalendar TTreeView TListView THeaderControl TStatusBar "
       "TToolBar TCoolBar TPageScroller TComboBoxEx TXPManifest"},
      {"System",
       "TTimer TPaintBox TMediaPlayer TOleContainer TDdeClientConv TDdeClientItem "
       "TDdeServerConv TDdeServerItem"},
      {"Data Access/5",
       "TDataSource TTable TQuery TStoredProc TDatabase TSession TBatchMove TUpdateSQL "
       "TNestedTable"},
      {"Data Access",
       "TDataSource TClientDataSet TDataSetProvider TXMLTransform TXMLTransformProvider "
       "TXMLTransformClient"},
      {"Data Controls",
       "TDBGrid TDBNavigator TDBText TDBEdit TDBMemo TDBImage TDBListBox TDBComboBox "
       "TDBCheckBox TDBRadioGroup TDBLookupListBox TDBLookupComboBox TDBRichEdit TDBCtrlGrid "
       "TDBChart"},
      {"dbExpress/6",
       "TSQLConnection TSQLDataSet TSQLQuery TSQLStoredProc TSQLTable TSQLMonitor "
       "TSQLClientDataSet"},
      {"dbExpress",
       "TSQLConnection TSQLDataSet TSQLQuery TSQLStoredProc TSQLTable TSQLMonitor "
       "TSimpleDataSet"},
      {"DataSnap",
       "TDCOMConnection TSocketConnection TSimpleObjectBroker TWebConnection TConnectionBroker "
       "TSharedConnection TLocalConnection"},
      {"BDE", "TTable TQuery TStoredProc TDatabase TSession TBatchMove TUpdateSQL TNestedTable"},
      {"ADO",
       "TADOConnection TADOCommand TADODataSet TADOTable TADOQuery TADOStoredProc "
       "TRDSConnection"},
      {"InterBase/5",
       "TIBTable TIBQuery TIBStoredProc TIBDatabase TIBTransaction TIBUpdateSQL TIBDataSet "
       "TIBSQL TIBDatabaseInfo TIBSQLMonitor TIBEvents"},
      {"InterBase",
       "TIBTable TIBQuery TIBStoredProc TIBDatabase TIBTransaction TIBUpdateSQL TIBDataSet "
       "TIBSQL TIBDatabaseInfo TIBSQLMonitor TIBEvents TIBExtract"},
      {"MIDAS",
       "TClientDataSet TDataSetProvider TRemoteServer TMIDASConnection TDCOMConnection "
       "TSocketConnection TSimpleObjectBroker TWebConnection TCorbaConnection"},
      {"WebServices",
       "THTTPRIO THTTPReqResp TOPToSoapDomConvert TSoapConnection THTTPSoapDispatcher "
       "TWSDLHTMLPublish THTTPSoapPascalInvoker"},
      {"InternetExpress/5", "TXMLBroker TMidasPageProducer"},
      {"InternetExpress", "TXMLBroker TInetXPageProducer"},
      {"Internet/5",
       "TClientSocket TServerSocket TWebDispatcher TPageProducer TQueryTableProducer "
       "TDataSetTableProducer TDataSetPageProducer TWebBrowser"},
      {"Internet/6",
       "TClientSocket TServerSocket TWebDispatcher TPageProducer TDataSetTableProducer "
       "TDataSetPageProducer TSQLQueryTableProducer TQueryTableProducer TXMLDocument "
       "TWebBrowser TTcpClient TTcpServer TUdpSocket"},
      {"Internet/7",
       "TWebDispatcher TPageProducer TDataSetTableProducer TDataSetPageProducer "
       "TSQLQueryTableProducer TQueryTableProducer TXMLDocument TWebBrowser TTcpClient "
       "TTcpServer TUdpSocket"},
      {"WebSnap",
       "TAdapter TPagedAdapter TDataSetAdapter TLoginFormAdapter TStringsValuesList "
       "TDataSetValuesList TWebAppComponents TApplicationAdapter TEndUserAdapter "
       "TEndUserSessionAdapter TPageDispatcher TAdapterDispatcher TLocateFileService "
       "TSessionsService TWebUserList TXSLPageProducer TAdapterPageProducer"},
      {"FastNet",
       "TNMDayTime TNMEcho TNMFinger TNMFTP TNMHTTP TNMMsg TNMMSGServ TNMNNTP TNMPOP3 "
       "TNMUUProcessor TNMSMTP TNMStrm TNMStrmServ TNMTime TNMUDP TPowersock TNMGeneralServer "
       "TNMURL"},
      {"Decision Cube",
       "TDecisionCube TDecisionQuery TDecisionSource TDecisionPivot TDecisionGrid "
       "TDecisionGraph"},
      {"QReport",
       "TQuickRep TQRSubDetail TQRStringsBand TQRBand TQRChildBand TQRGroup TQRLabel TQRDBText "
       "TQRExpr TQRSysData TQRMemo TQRExprMemo TQRRichText TQRDBRichText TQRShape TQRImage "
       "TQRDBImage TQRCompositeReport TQRPreview TQRTextFilter TQRCSVFilter TQRHTMLFilter "
       "TQRChart"},
      {"Dialogs/5",
       "TOpenDialog TSaveDialog TOpenPictureDialog TSavePictureDialog TFontDialog TColorDialog "
       "TPrintDialog TPrinterSetupDialog TFindDialog TReplaceDialog"},
      {"Dialogs",
       "TOpenDialog TSaveDialog TOpenPictureDialog TSavePictureDialog TFontDialog TColorDialog "
       "TPrintDialog TPrinterSetupDialog TFindDialog TReplaceDialog TPageSetupDialog"},
      {"Win 3.1",
       "TDBLookupList TDBLookupCombo TTabSet TOutline TTabbedNotebook TNotebook THeader "
       "TFileListBox TDirectoryListBox TDriveComboBox TFilterComboBox"},
      {"Samples/5",
       "TGauge TColorGrid TSpinButton TSpinEdit TDirectoryOutline TCalendar TIBEventAlerter"},
      {"Samples",
       "TGauge TColorGrid TSpinButton TSpinEdit TDirectoryOutline TCalendar TShellTreeView "
       "TShellComboBox TShellListView TShellChangeNotifier"},
      {"ActiveX", "TChartfx TVSSpell TF1Book TVtChart TGraph"},
      {"Servers",
       "TWordApplication TWordDocument TWordFont TWordLetterContent TWordParagraphFormat "
       "TExcelApplication TExcelChart TExcelQueryTable TExcelWorkbook TExcelWorksheet "
       "TExcelOLEObject TPowerPointApplication TPowerPointPresentation TPowerPointSlide "
       "TOutlookApplication TAccessApplication TAccessReferences"},
      {"Rave",
       "TRvProject TRvSystem TRvNDRWriter TRvRenderPreview TRvRenderPrinter TRvRenderPDF "
       "TRvRenderHTML TRvRenderRTF TRvRenderText TRvCustomConnection TRvDataSetConnection "
       "TRvTableConnection TRvQueryConnection"},
      {"COM+", "TCOMAdminCatalog"},
      {"Indy Clients",
       "TIdTCPClient TIdDNSResolver TIdDayTime TIdEcho TIdFinger TIdFTP TIdGopher TIdHTTP "
       "TIdIcmpClient TIdPOP3 TIdQOTD TIdSMTP TIdSNMP TIdSNTP TIdTelnet TIdTime TIdTrivialFTP "
       "TIdWhois TIdNNTP TIdIMAP4 TIdLPR TIdRSH TIdRexec TIdIPMCastClient TIdSysLog "
       "TIdUDPClient TIdIdent TIdDICT"},
      {"Indy Servers",
       "TIdTCPServer TIdChargenServer TIdDayTimeServer TIdDICTServer TIdDISCARDServer "
       "TIdEchoServer TIdFingerServer TIdFTPServer TIdGopherServer TIdHostNameServer "
       "TIdHTTPServer TIdIRCServer TIdNNTPServer TIdQOTDServer TIdTelnetServer TIdTimeServer "
       "TIdTrivialFTPServer TIdUDPServer TIdWhoIsServer TIdIMAP4Server TIdPOP3Server "
       "TIdSMTPServer TIdMappedPortTCP TIdMappedFTP TIdMappedTelnet TIdMappedPOP3 "
       "TIdIPMCastServer TIdSysLogServer TIdIdentServer TIdRSHServer TIdRexecServer "
       "TIdTunnelMaster TIdTunnelSlave TIdSimpleServer"},
      {"Indy Intercepts",
       "TIdBlockCipherIntercept TIdConnectionIntercept TIdInterceptSimLog "
       "TIdInterceptThrottler TIdLogDebug TIdLogEvent TIdLogFile TIdLogStream "
       "TIdCompressionIntercept"},
      {"Indy I/O Handlers",
       "TIdIOHandlerSocket TIdIOHandlerStream TIdIOHandlerThrottle TIdServerIOHandlerSocket "
       "TIdSSLIOHandlerSocket TIdServerIOHandlerSSL TIdSocksInfo"},
      {"Indy Misc",
       "TIdAntiFreeze TIdCookieManager TIdEncoderMIME TIdEncoderUUE TIdEncoderXXE "
       "TIdEncoderQuotedPrintable TIdDateTimeStamp TIdDecoderMIME TIdDecoderUUE "
       "TIdDecoderXXE TIdDecoderQuotedPrintable TIdIPWatch TIdHL7 TIdMailBox TIdMessage "
       "TIdMessageDecoderMIME TIdNetworkCalculator TIdSysLogMessage TIdThreadMgrDefault "
       "TIdThreadMgrPool TIdUserManager TIdVCard TIdHashMessageDigest5"},
      {"InterBase Admin",
       "TIBConfigService TIBBackupService TIBRestoreService TIBValidationService "
       "TIBStatisticalService TIBLogService TIBSecurityService TIBServerProperties "
       "TIBLicensingService TIBInstall TIBUninstall"},
      {"IW Standard",
       "TIWButton TIWCheckBox TIWComboBox TIWEdit TIWFile TIWHRule TIWImage TIWImageFile "
       "TIWLabel TIWLink TIWList TIWListbox TIWMemo TIWRadioGroup TIWRectangle TIWRegion "
       "TIWText TIWTimer TIWTreeView TIWURL TIWGrid TIWMenu TIWApplet TIWFlash TIWQuickTime "
       "TIWActiveX"},
      {"IW Data",
       "TIWDBCheckBox TIWDBComboBox TIWDBEdit TIWDBFile TIWDBGrid TIWDBImage TIWDBLabel "
       "TIWDBListbox TIWDBLookupListBox TIWDBLookupComboBox TIWDBMemo TIWDBNavigator "
       "TIWDBRadioGroup TIWDBText"},
      {"IW Client Side",
       "TIWCSLabel TIWCSNavigator TIWDynamicChart TIWDynGrid TIWClientSideDataSet "
       "TIWClientSideDataSetDBLink"},
      {"IW Control",
       "TIWLayoutMgrForm TIWTemplateProcessorHTML TIWLayoutMgrHTML TIWPageProducer "
       "TIWModuleController"},
  };
  return Lists;
}

// Each version's stock pages with their lists, found by caption: the IDE
// asks for every page of its palette, thousands of them in a large one, and
// a page that is not a stock page is told apart by one lookup.
const std::unordered_map<std::string, const char*>& PageLists(int Version) {
  static const auto Versions = [] {
    std::array<std::unordered_map<std::string, const char*>, 3> ByVersion;
    for (int V = 5; V <= 7; ++V) {
      for (const std::string& Page : StockPalette(V)) {
        auto It = Table().find(Page + "/" + std::to_string(V));
        if (It == Table().end())
          It = Table().find(Page);
        if (It != Table().end())
          ByVersion[static_cast<std::size_t>(V - 5)].emplace(Page, It->second);
      }
    }
    return ByVersion;
  }();
  static const std::unordered_map<std::string, const char*> None;
  return Version >= 5 && Version <= 7 ? Versions[static_cast<std::size_t>(Version - 5)] : None;
}

}  // namespace

std::vector<std::string> StockComponents(int Version, const std::string& Page) {
  const auto& Lists = PageLists(Version);
  const auto It = Lists.find(Page);
  std::vector<std::string> Out;
  if (It == Lists.end())
    return Out;
  std::istringstream Words(It->second);
  for (std::string W; Words >> W;)
    Out.push_back(W);
  return Out;
}
