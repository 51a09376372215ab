# The files listed in the [FILES] section of a help project (.hhp), in order.
function(vrx_help_project_files project out)
  file(STRINGS ${project} lines)
  set(files "")
  set(in_files FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^\\[")
      set(in_files FALSE)
      if(line STREQUAL "[FILES]")
        set(in_files TRUE)
      endif()
    elseif(in_files AND line)
      list(APPEND files ${line})
    endif()
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# The page forms of the contents and the index (contents.htm, keywords.htm) are written from
# toc.hhc and index.hhk when the help is compiled, so the pages list what the help window's
# contents and index list.
set(VRX_HELP_SITEMAP_PAGES contents.htm toc.hhc "Содержание" keywords.htm index.hhk
    "Предметный указатель")

# Writes `page`: a page titled `title` with the sitemap's entries as nested lists of links.
function(vrx_help_sitemap_page sitemap title page)
  file(STRINGS ${sitemap} lines ENCODING UTF-8)
  set(body "")
  foreach(line IN LISTS lines)
    if(line MATCHES "<ul>")
      string(APPEND body "<ul>\n")
    elseif(line MATCHES "</ul>")
      string(APPEND body "</ul>\n")
    elseif(line MATCHES "<param name=\"Name\" value=\"([^\"]*)\">")
      set(name "${CMAKE_MATCH_1}")
    elseif(line MATCHES "<param name=\"Local\" value=\"([^\"]*)\">")
      set(local "${CMAKE_MATCH_1}")
    elseif(line MATCHES "</object>")
      string(APPEND body "<li><a href=\"${local}\">${name}</a>\n")
    endif()
  endforeach()
  file(WRITE ${page}
    "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
    "<title>${title}</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">\n"
    "</head>\n<body>\n<p class=\"nav\"><a href=\"contents.htm\">Содержание</a> | "
    "<a href=\"keywords.htm\">Указатель</a> | <a href=\"messages.htm\">Сообщения</a></p>\n"
    "<h1>VRX-L Сервис — ${title}</h1>\n${body}</body>\n</html>\n")
endfunction()
