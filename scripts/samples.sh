#!/usr/bin/env bash
# Makes one sample data file per limiter model: a recorder image from the generator, its logs
# and tables filled, detected, decoded and saved with a full passport, as a download followed by
# "Сохранить" would.
#   scripts/samples.sh BIN_DIR OUT_DIR [--verbose]
# With --verbose it shows each step: the detection and the saved passport.
set -euo pipefail
bin=$1 out=$2 verbose=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
now="2026-11-20 10:30:00"

# The recorder's counters where the libraries read them (little-endian hex; two copies where
# the model keeps a mirror of its parameters, the larger one counts): running time in minutes,
# cycles, the largest load (a float; 24.16 fixed point on a ЗУЛ-38), overloads, the lowest
# temperature, and the date of the last setting.
counters_52A=(40=43EA0700 224=2CEA0700 44=4DBC0000 228=53BC0000 48=9A996541 232=33336341
              52=2500 236=2400 54=DAFF 238=DAFF 56=03142520)
counters_52D=(50=8F990400 226=80990400 54=4E740100 230=46740100 58=CDCCBC41 234=6666BC41
              62=0C00 238=0B00 64=E5FF 240=E5FF 66=020924)
counters_52N=(232524=C4F20100 232856=A2F20100 232528=CD980000 232860=C6980000
              232532=CDCC3C41 232864=00003C41 232536=0500 232868=0400 232538=D7FF
              232870=D7FF 232540=150525)
counters_38=(264012=80BB0000 264016=2A520000 264020=00800C0000 264025=0300 264027=E1FF
             264032=3014251026)

# model, seed, recorder version, crane serial, crane model, registration no., manufacturer, owner, operator
samples=(
  "52A|11|3|00417325|КС-45717|А-12873|Галичский автокрановый завод|ООО «СтройМеханизация»|Петров С. А."
  "52D|12|2|2117|КС-55713-1|А-13402|Клинцовский автокрановый завод|АО «Трест Механизации № 3»|Смирнов В. Н."
  "52N|13|32|3508|КС-6476|А-14051|Ивановский автокрановый завод|ООО «Северный порт»|Кузнецов А. Ю."
  "38|14|1|7014|КС-3577|А-09115|Камышинский крановый завод|МУП «Горводоканал»|Васильев Д. И."
)

for sample in "${samples[@]}"; do
  IFS='|' read -r model seed version serial crane reg maker owner operator <<<"$sample"
  image="$work/$model.img"
  gen_args=(--model "$model" --seed "$seed" --tables --newest "2026-11-19 18:00:00" -o "$image"
            --set "version=$version")
  counters="counters_$model[@]"
  for poke in "${!counters}"; do gen_args+=(--poke "$poke"); done
  # A ЗУЛ-38 keeps no crane serial number: the user types it in.
  [ "$model" != 38 ] && gen_args+=(--set "crane-serial=$serial")
  "$bin/tavrix-gen" "${gen_args[@]}"
  if [ -n "$verbose" ]; then
    echo "== Recorder image of model $model from the generator (seed $seed)"
    "$bin/tavrix-cli" detect "$image" --now "$now" | sed -n '1,6p'
  fi
  # The name the read flow proposes: crane model, serial number and read-out date.
  name="$crane №$serial ${now:8:2}.${now:5:2}.${now:0:4}"
  sets=(--set "5=$crane" --set "7=$reg" --set "11=$owner"
        --set "12=ООО «Крансервис»" --set "13=$operator" --set "14=$((1000 + seed))"
        --set "15=31.12.2027")
  # ЗУЛ-52Н reads the manufacturer from its header; the others have it typed in.
  [ "$model" != 52N ] && sets+=(--set "10=$maker")
  [ "$model" = 38 ] && sets+=(--set "3=38$((4000 + seed))" --set "6=$serial" --set "8=2004" --set "9=A4")
  file=$("$bin/tavrix-cli" save "$image" "$name" --dir "$out" --now "$now" --force "${sets[@]}")
  if [ -n "$verbose" ]; then
    echo "-- saved as $file"
    "$bin/tavrix-cli" info "$file"
    echo
  fi
done
