#pragma once
// The two searches of the main window. Each reads the form when it is asked for (a click on
// Query, or Enter for a page jump) and hands it to a worker; of searches asked while another
// one runs, only the one asked last is sent.
// Window thread. Query: the first page of the name, ID number and captcha code.
void FirstPageSearch();
// Window thread. Enter: the page typed in the page field, of the name alone.
void PageJumpSearch();
// Window thread. While held (a batch check runs), 查询 and the page-jump field are disabled
// and neither a click nor Enter starts a search.
void HoldUserSearches(bool held);
