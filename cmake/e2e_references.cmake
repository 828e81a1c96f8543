# Pictures the end-to-end tests compare the real program with: quorel-render's
# output (a host tool of the host build) for the minute the tests start in.
# The clock's pictures are taken with the scene animation off (the still scene
# of that minute), as quorel_e2e::WriteSettings sets it unless a test says otherwise.
if(NOT QUOREL_WIN)
  return()
endif()
string(SUBSTRING "${QUOREL_E2E_TIME}" 0 16 e2e_minute)  # "YYYY-MM-DD hh:mm"
set(ref_dir ${CMAKE_BINARY_DIR}/bin/tests/ref)
set(refs)
# The host build's sheets: the references change with the art.
set(host_art ${QUOREL_HOST_BIN}/../gen/art)
set(host_sheets ${host_art}/png309.png ${host_art}/png310.png ${host_art}/png311.png ${host_art}/png312.png
                ${host_art}/png313.png)
foreach(magnify 0 2)
  set(out ${ref_dir}/clock_1759_m${magnify}.png)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
    COMMAND ${QUOREL_HOST_BIN}/quorel-render --time "${e2e_minute}:00" --set "デジタルの秒=0"
            --magnify ${magnify} --set "背景アニメーション=0" --out ${out}
    DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${host_sheets}
    COMMENT "Rendering the end-to-end reference at magnification ${magnify}")
  list(APPEND refs ${out})
endforeach()
# The sample character beside the exe, drawn by the host tool from the host build's copy.
set(out ${ref_dir}/clock_1759_mike.png)
add_custom_command(
  OUTPUT ${out}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
  COMMAND ${QUOREL_HOST_BIN}/quorel-render --time "${e2e_minute}:00" --set "デジタルの秒=0" --character 0
          --set "キャラクタのビットマップファイル名=${QUOREL_HOST_BIN}/samples/mike.bmp"
          --set "キャラクタの情報ファイル名=${QUOREL_HOST_BIN}/samples/mike.inf"
          --set "背景アニメーション=0" --out ${out}
  DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${host_sheets} ${QUOREL_HOST_BIN}/samples/mike.bmp ${QUOREL_HOST_BIN}/samples/mike.inf
  COMMENT "Rendering the end-to-end reference of the sample character")
list(APPEND refs ${out})
# The analog face without its second hand, as the settings sheet's end-to-end test switches to it.
set(out ${ref_dir}/clock_1759_analog.png)
add_custom_command(
  OUTPUT ${out}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
  COMMAND ${QUOREL_HOST_BIN}/quorel-render --time "${e2e_minute}:00" --set "時計の種別=0" --set "秒針=0"
          --set "背景アニメーション=0" --out ${out}
  DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${host_sheets}
  COMMENT "Rendering the end-to-end reference of the analog face")
list(APPEND refs ${out})
# Three built-in characters beside their faces: the tortoiseshell cat and the
# parakeets on the digital plate, the grey cat beside the dial (no second hand).
foreach(case "6;1;1" "10;1;1" "12;0;0")
  list(GET case 0 chara)
  list(GET case 1 kind)
  list(GET case 2 hand)
  set(out ${ref_dir}/clock_1759_chara${chara}.png)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
    COMMAND ${QUOREL_HOST_BIN}/quorel-render --time "${e2e_minute}:00" --set "デジタルの秒=0" --set "時計の種別=${kind}"
            --set "秒針=${hand}" --character ${chara} --set "背景アニメーション=0" --out ${out}
    DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${host_sheets}
    COMMENT "Rendering the end-to-end reference of character ${chara}")
  list(APPEND refs ${out})
endforeach()
# Christmas Eve in the evening (the main time three hours ahead of the clock's
# 17:59): every picture the animated room shows within 240 ticks, one under the other.
set(out ${ref_dir}/scene_christmas_eve.png)
add_custom_command(
  OUTPUT ${out}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
  COMMAND ${QUOREL_HOST_BIN}/quorel-render --time "${e2e_minute}:00" --set "デジタルの秒=0" --set "瞬きアニメーション=0"
          --set "メインの時刻の時差選択=21" --set "メインの時刻の時差(時)=3" --frames 240 --distinct --out ${out}
  DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${host_sheets}
  COMMENT "Rendering the end-to-end reference of the Christmas Eve scene"
  VERBATIM)
list(APPEND refs ${out})
# New Year's Day at noon: every picture the decorated winter day shows within
# 6630 ticks (the drifting cloud's and the decoration's cycles together).
string(SUBSTRING "${QUOREL_E2E_TIME_resources}" 0 16 new_year_minute)
set(out ${ref_dir}/scene_new_year.png)
add_custom_command(
  OUTPUT ${out}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
  COMMAND ${QUOREL_HOST_BIN}/quorel-render --time "${new_year_minute}:00" --set "デジタルの秒=0" --set "瞬きアニメーション=0"
          --frames 6630 --distinct --out ${out}
  DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${host_sheets}
  COMMENT "Rendering the end-to-end reference of the New Year's scene"
  VERBATIM)
list(APPEND refs ${out})
# The weather scene of the net tests' morning: the 24th's forecast, fine at times cloudy
# (codes 1 and 2, connector 2), behind the clock with no corner icon; that minute and the next.
string(SUBSTRING "${QUOREL_E2E_TIME_net}" 0 13 net_hour)  # "YYYY-MM-DD hh"
foreach(minute 00 01)
  set(out ${ref_dir}/weather_scene_10${minute}.png)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
    COMMAND ${QUOREL_HOST_BIN}/quorel-render --time "${net_hour}:${minute}:00" --set "デジタルの秒=0"
            --set "瞬きアニメーション=0" --set "天気予報を取得する=1" --set "天気予報を背景に反映する=1"
            --weather 1,2,2 --frames 400 --distinct --out ${out}
    DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${host_sheets}
    COMMENT "Rendering the end-to-end reference of the weather scene at minute ${minute}"
    VERBATIM)
  list(APPEND refs ${out})
endforeach()
add_custom_target(quorel_e2e_references ALL DEPENDS ${refs})
foreach(e2e app_e2e_win_tests settings_ui_e2e_win_tests render_e2e_win_tests resources_e2e_win_tests net_e2e_win_tests)
  if(TARGET ${e2e})
    add_dependencies(${e2e} quorel_e2e_references)
  endif()
endforeach()

# The small calendar attached below the clock on the same day, and after midnight.
string(SUBSTRING "${QUOREL_E2E_TIME_calendar}" 0 10 calendar_day)
set(calendar_ref ${ref_dir}/calendar_1224_small.png)
add_custom_command(
  OUTPUT ${calendar_ref}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
  COMMAND ${QUOREL_HOST_BIN}/quorel-render --calendar --time "${calendar_day} 12:00:00" --set "カレンダーの種類=1"
          --set "カレンダーの配置=1" --set "カレンダーの当日を囲む=1" --out ${calendar_ref}
  DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${QUOREL_HOST_BIN}/../gen/art/art.stamp
  COMMENT "Rendering the calendar's end-to-end reference")
set(calendar_last_ref ${ref_dir}/calendar_209912_small.png)
add_custom_command(
  OUTPUT ${calendar_last_ref}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
  COMMAND ${QUOREL_HOST_BIN}/quorel-render --calendar --time "${calendar_day} 12:00:00" --month 2099-12
          --set "カレンダーの種類=1" --set "カレンダーの配置=1" --set "カレンダーの当日を囲む=1" --out ${calendar_last_ref}
  DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${QUOREL_HOST_BIN}/../gen/art/art.stamp
  COMMENT "Rendering the calendar's last month")
set(calendar_next_ref ${ref_dir}/calendar_1225_small.png)
add_custom_command(
  OUTPUT ${calendar_next_ref}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ref_dir}
  COMMAND ${QUOREL_HOST_BIN}/quorel-render --calendar --time "2026-12-25 00:00:00"
          --set "カレンダーの種類=1" --set "カレンダーの配置=1" --set "カレンダーの当日を囲む=1" --out ${calendar_next_ref}
  DEPENDS ${QUOREL_HOST_BIN}/quorel-render ${QUOREL_HOST_BIN}/../gen/art/art.stamp
  COMMENT "Rendering the calendar of the next day")
add_custom_target(calendar_e2e_references ALL DEPENDS ${calendar_ref} ${calendar_last_ref} ${calendar_next_ref})
if(TARGET calendar_e2e_win_tests)
  add_dependencies(calendar_e2e_win_tests calendar_e2e_references)
endif()
