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

# model, seed, crane serial, crane model, registration no., manufacturer, owner, operator
samples=(
  "52A|11|00417325|КС-45717|А-12873|Галичский автокрановый завод|ООО «СтройМеханизация»|Петров С. А."
  "52D|12|2117|КС-55713-1|А-13402|Клинцовский автокрановый завод|АО «Трест Механизации № 3»|Смирнов В. Н."
  "52N|13|3508|КС-6476|А-14051|Ивановский автокрановый завод|ООО «Северный порт»|Кузнецов А. Ю."
  "38|14|7014|КС-3577|А-09115|Камышинский крановый завод|МУП «Горводоканал»|Васильев Д. И."
)

for sample in "${samples[@]}"; do
  IFS='|' read -r model seed serial crane reg maker owner operator <<<"$sample"
  image="$work/$model.img"
  gen_args=(--model "$model" --seed "$seed" --tables --newest "2026-11-19 18:00:00" -o "$image")
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
  [ "$model" = 38 ] && sets+=(--set "6=$serial" --set "8=2004" --set "9=A4")
  file=$("$bin/tavrix-cli" save "$image" "$name" --dir "$out" --now "$now" --force "${sets[@]}")
  if [ -n "$verbose" ]; then
    echo "-- saved as $file"
    "$bin/tavrix-cli" info "$file"
    echo
  fi
done
